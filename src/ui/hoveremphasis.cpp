// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hoveremphasis.h"

#include "browse/hoverrules.h"
#include "ui/desktop/boldcaption.h"

#include <QMouseEvent>
#include <QWidget>

namespace browse {

HoverEmphasis::HoverEmphasis(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->setMouseTracking(true);
    window->installEventFilter(this);
    for (const QString &name : hoverrules::buttons()) {
        if (auto *button = window->findChild<QWidget *>(name)) {
            button->setMouseTracking(true);
            // A button ignores plain moves; they must not reach the window.
            button->setAttribute(Qt::WA_NoMousePropagation);
            button->installEventFilter(this);
        }
    }
    // Turning bold must not move anything: each caption keeps its bold room.
    for (const QString &name : hoverrules::resetOnBackground()) {
        if (auto *control = window->findChild<QWidget *>(name))
            platform::reserveBoldRoom(control);
    }
}

bool HoverEmphasis::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (widget == m_window) {
        // Moves passed up from a control (a label, a list) are not the background's.
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (!m_window->childAt(at))
            setBold(hoverrules::resetOnBackground(), false);
        return false;
    }
    setBold(hoverrules::emphasised(widget->objectName()), true);
    return false;
}

void HoverEmphasis::setBold(const QStringList &names, bool bold)
{
    for (const QString &name : names) {
        if (QWidget *w = m_window->findChild<QWidget *>(name))
            platform::setBoldCaption(w, bold);
    }
}

} // namespace browse
