// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/recorddisplay.h"

namespace songdb {

std::optional<qint32> recordKey(const QString &text)
{
    bool ok = false;
    const qint32 key = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return key;
}

QString shownOccasion(const QString &stored)
{
    return stored.isEmpty() ? DefaultOccasion : stored;
}

QString shownStatus(const QString &stored)
{
    return stored.isEmpty() ? DefaultStatus : stored;
}

bool titleEditable(const QString &title)
{
    // Characters as the user sees them, not UTF-16 units.
    return title.toUcs4().size() < EditableTitleLimit;
}

} // namespace songdb
