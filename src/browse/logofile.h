// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace browse {

// The logo animation beside the program. The windows ask for it both as
// "parvello.avi" and as "Parvello.avi"; on a file system that tells case
// apart there is still only one file to find.
inline const QString LogoName = QStringLiteral("parvello.avi");
inline const QString UserLogoName = QStringLiteral("Parvello.avi");

// The file in the folder whose name equals the given one without regard to
// case: the exact name first, else the first match in name order. Empty when
// there is none.
QString findLogoFile(const QString &folder, const QString &name);

} // namespace browse
