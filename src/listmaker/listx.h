// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QStringList>

// The List-x view: every name of the Sequential list shortened.
namespace listmaker::listx {

constexpr int MaxNames = 8000;
constexpr int DefaultLimit = 22;
inline const QString DefaultLimitText = QStringLiteral("22");
constexpr int Overflow = 6;

// The names less their last four characters, at most MaxNames of them; a
// name of fewer than four characters gives an empty name.
QStringList FillListX(const QStringList &sequential);

struct Limit
{
    int value = 0;             // 0 when the text is no number
    platform::Failure failure; // Overflow when the number does not fit 16 bits
};

// The limit typed in the box, read as a number and rounded to a whole one.
Limit parseLimit(const QString &text);
inline bool limitInRange(int limit) { return limit >= 1 && limit <= 255; }

struct Names
{
    QStringList names;
    platform::Failure failure; // set: nothing was built
};

// The names cut to the limit; file names lose their last four characters
// first, Disk IDs do not. A file name shorter than four characters, or more
// than MaxNames names, fail the whole build.
Names Concatanate(const QStringList &sequential, int limit, bool diskIds);

} // namespace listmaker::listx
