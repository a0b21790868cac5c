// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace listmaker {

// How many stored Disk IDs equal the typed one apart from letter case.
// Blanks count: " CD01" and "CD01" differ.
int countDiskIdMatches(const QStringList &storedIds, const QString &typed);

} // namespace listmaker
