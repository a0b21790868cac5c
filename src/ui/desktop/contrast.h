// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace platform {

// How well a text reads on its background, as the accessibility guidelines
// measure it: relative luminance of each colour, and the ratio of the two
// (1 for equal colours up to 21 for black on white).
double relativeLuminance(const QColor &colour);
double contrastRatio(const QColor &a, const QColor &b);

// A background on which white text reads better than black: the mark of a
// dark palette.
bool isDark(const QColor &background);

// The ratio ordinary text needs.
inline constexpr double ReadableContrast = 4.5;

// The text colour itself when it reads on the background; otherwise the
// shade of its hue closest to it that does, lighter on a dark background and
// darker on a light one (black or white at the very end).
QColor readableShade(const QColor &text, const QColor &background, double minimum = ReadableContrast);

} // namespace platform
