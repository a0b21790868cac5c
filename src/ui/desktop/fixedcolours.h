// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QWidget;

namespace platform {

// A fixed background always comes with its own text colour, so that a dark
// (or any other) palette cannot put light text on it. Both hold in every
// state; a disabled control shows its text halfway to the background.
void setFixedColours(QWidget *widget, const QColor &background, const QColor &text);

// A fixed text colour on the background the palette gives the control. In a
// light palette (a light window background) it is used exactly as given; in
// a dark one, where it would not read well on the control's background, a
// lighter shade of it is used. It follows later palette changes; change the
// colour only through this function.
void setReadableTextColour(QWidget *widget, const QColor &text);

} // namespace platform
