// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/loadtime.h"

#include <QtMath>

namespace shell {

QString loadTimeText(double milliseconds)
{
    const qint64 whole = qRound64(milliseconds);
    return whole == 0 ? QString() : QString::number(whole);
}

} // namespace shell
