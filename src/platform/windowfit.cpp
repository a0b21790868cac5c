// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowfit.h"

#include <algorithm>

namespace platform {

namespace {

// The start of a span of `length` centred on `centre`, kept within [low, high].
int placeWithin(int centre, int length, int low, int high)
{
    const int start = centre - length / 2;
    return std::max(low, std::min(start, high - length + 1));
}

} // namespace

WindowFit fitWindow(QSize wanted, QSize minimum, const QMargins &frame, const QRect &available, const QRect &anchor)
{
    const QSize room = available.marginsRemoved(frame).size().expandedTo(QSize(1, 1));
    WindowFit fit;
    fit.minimum = minimum.boundedTo(room);
    const QSize size = wanted.boundedTo(room).expandedTo(fit.minimum);
    const QSize outer = size.grownBy(frame);
    const QPoint centre = anchor.isEmpty() ? available.center() : anchor.center();
    const QPoint frameTopLeft(placeWithin(centre.x(), outer.width(), available.left(), available.right()),
        placeWithin(centre.y(), outer.height(), available.top(), available.bottom()));
    fit.geometry = QRect(frameTopLeft + QPoint(frame.left(), frame.top()), size);
    return fit;
}

} // namespace platform
