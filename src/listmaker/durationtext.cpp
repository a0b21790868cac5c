// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/durationtext.h"

#include <cmath>

namespace listmaker {

QString audioDurationText(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        seconds = 0;
    const double minutes = std::floor(seconds / 60);
    const double rest = (seconds / 60 - minutes) * 60;
    // Halves round away from zero, as number patterns do.
    const qint64 restShown = qint64(std::floor(rest + 0.5));
    return QStringLiteral("Audio duration: ") + QString::number(qint64(minutes)) + QLatin1Char(':')
        + QStringLiteral("%1").arg(restShown, 2, 10, QLatin1Char('0'));
}

QString listCreatedText(double milliseconds)
{
    if (!std::isfinite(milliseconds))
        milliseconds = 0;
    // Three decimals at most; the zeros a fixed form leaves at the end go.
    QString number = QString::number(milliseconds, 'f', 3);
    while (number.endsWith(QLatin1Char('0')))
        number.chop(1);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    if (number == QLatin1String("-0"))
        number = QStringLiteral("0");
    return QStringLiteral("List created in ") + number + QStringLiteral(" ms");
}

} // namespace listmaker
