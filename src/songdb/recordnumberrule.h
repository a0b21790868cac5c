// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace songdb {

// The record-number box: which keys reach it and what its text asks for.
class RecordNumberRule
{
public:
    enum class Verdict {
        Ignore,     // blank, or text that is not a whole number (pasted)
        OutOfRange, // a whole number outside 1 to the record count
        Show        // show the record at that position
    };

    // The verdict on the box's text; *position is set for Show.
    static Verdict check(const QString &text, qint32 recordCount, qint32 *position);

    static QString rangeMessage(qint32 recordCount);

    // Whether a key press may reach the box: digits and Backspace do, other
    // characters (Enter included) do not; keys that type nothing (arrows,
    // Delete, shortcuts such as paste) are left to the box.
    static bool acceptsKey(int key, const QString &text);
};

} // namespace songdb
