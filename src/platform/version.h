// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// The program's version, MAJOR.MINOR. The build's project() names it once; the
// windows, the reports, the command line and the package all take it from there.
inline QString programVersion()
{
    return QStringLiteral(QUENMORA_VERSION);
}

} // namespace platform
