// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/windowplacement.h"

#include "platform/windowfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

const char *const PlacedProperty = "quenmoraPlaced";

QMargins frameOf(const QWidget *w)
{
    const QRect outer = w->frameGeometry();
    const QRect inner = w->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
        outer.bottom() - inner.bottom());
}

// The frame the window manager will put around the window: known once the
// window has been shown, else guessed from the anchor's.
QMargins expectedFrame(const QWidget *window, const QWidget *anchor)
{
    if (window->isVisible() || window->property(PlacedProperty).toBool())
        return frameOf(window);
    if (anchor && anchor->isWindow() && anchor->testAttribute(Qt::WA_WState_Created))
        return frameOf(anchor);
    return {};
}

} // namespace

void placeFitted(QWidget *window, const QWidget *anchor)
{
    const QWidget *anchorWindow = anchor ? anchor->window() : nullptr;
    QScreen *screen = anchorWindow ? anchorWindow->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = expectedFrame(window, anchorWindow);
    const bool placed = window->property(PlacedProperty).toBool();
    // Shown again, it stays where it was while its title bar is on the screen;
    // one lost off the screen (another screen, a smaller one) is placed afresh.
    const QRect outer = window->frameGeometry();
    if (placed && outer.top() >= available.top() && outer.top() <= available.bottom()
        && available.intersects(outer))
        return;

    const QSize wanted = placed || window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint());
    const QRect anchorFrame = placed || !anchorWindow ? QRect() : anchorWindow->frameGeometry();
    const WindowFit fit = fitWindow(wanted, minimum, frame, available, anchorFrame);
    // Only a minimum larger than the screen is overridden; any other stays the layout's.
    if (fit.minimum != minimum)
        window->setMinimumSize(fit.minimum);
    window->resize(fit.geometry.size());
    window->move(fit.geometry.topLeft() - QPoint(frame.left(), frame.top()));
    window->setProperty(PlacedProperty, true);
}

void showFitted(QWidget *window, const QWidget *anchor)
{
    placeFitted(window, anchor);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace platform
