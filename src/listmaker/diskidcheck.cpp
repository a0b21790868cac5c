// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/diskidcheck.h"

namespace listmaker {

int countDiskIdMatches(const QStringList &storedIds, const QString &typed)
{
    const QString wanted = typed.toUpper();
    int matches = 0;
    for (const QString &id : storedIds) {
        if (id.toUpper() == wanted)
            ++matches;
    }
    return matches;
}

} // namespace listmaker
