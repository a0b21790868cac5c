// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace platform {

// Where a window opens and how small it may get, so that it lies wholly in
// the free area of a screen.
struct WindowFit
{
    QRect geometry; // the window's client area, without the frame
    QSize minimum; // its minimum client size
};

// A window that would like `wanted` (at least `minimum`), with a frame of
// `frame` around it, placed on a screen whose free area is `available`:
// shrunk to fit, centred on `anchor` (the frame of the window it belongs to;
// an empty anchor centres it on the screen) and moved inside the free area.
WindowFit fitWindow(QSize wanted, QSize minimum, const QMargins &frame, const QRect &available, const QRect &anchor);

} // namespace platform
