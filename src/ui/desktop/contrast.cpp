// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/contrast.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// The colour of the same hue and saturation at the given lightness, as a
// screen shows it (eight bits a channel).
QColor atLightness(const QColor &colour, double lightness)
{
    const QColor hsl = colour.toHsl();
    return QColor(QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), float(lightness), 1.0f).rgb());
}

// The lightness nearest to `from`, going towards `to`, at which the shade
// reaches the minimum (a bisection: the contrast grows monotonically on the way).
double reachingLightness(const QColor &text, const QColor &background, double from, double to, double minimum)
{
    double near = from;
    double far = to;
    for (int i = 0; i < 30; ++i) {
        const double mid = (near + far) / 2;
        if (contrastRatio(atLightness(text, mid), background) >= minimum)
            far = mid;
        else
            near = mid;
    }
    return far;
}

} // namespace

double relativeLuminance(const QColor &colour)
{
    const QColor c = colour.toRgb();
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const QColor &background)
{
    return contrastRatio(Qt::white, background) > contrastRatio(Qt::black, background);
}

QColor readableShade(const QColor &text, const QColor &background, double minimum)
{
    if (contrastRatio(text, background) >= minimum)
        return text;
    const double lightness = text.toHsl().lightnessF();
    const bool lighterReaches = contrastRatio(Qt::white, background) >= minimum;
    const bool darkerReaches = contrastRatio(Qt::black, background) >= minimum;
    // On a dark background a lighter shade, on a light one a darker shade; on a
    // middle grey whichever end gets there.
    const bool lighter = relativeLuminance(background) < relativeLuminance(text) ? lighterReaches || !darkerReaches
                                                                                 : !darkerReaches && lighterReaches;
    const QColor shade
        = atLightness(text, reachingLightness(text, background, lightness, lighter ? 1.0 : 0.0, minimum));
    QColor result = shade;
    result.setAlpha(text.alpha());
    return result;
}

} // namespace platform
