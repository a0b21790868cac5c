#include "browse/hoveremphasis.h"

#include "browse/hoverrules.h"

#include <QMainWindow>
#include <QMouseEvent>
#include <QWidget>

namespace browse {

HoverEmphasis::HoverEmphasis(QMainWindow *window, QWidget *background)
    : QObject(window)
    , m_window(window)
    , m_background(background)
{
    window->setMouseTracking(true);
    window->installEventFilter(this);
    background->setMouseTracking(true);
    background->installEventFilter(this);
    for (const QString &name : hoverrules::buttons()) {
        if (auto *button = window->findChild<QWidget *>(name)) {
            button->setMouseTracking(true);
            // A button ignores plain moves; they must not reach the background.
            button->setAttribute(Qt::WA_NoMousePropagation);
            button->installEventFilter(this);
        }
    }
}

bool HoverEmphasis::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (widget == m_background || widget == m_window) {
        // Moves passed up from a control are not the background's; for the
        // window itself the bare central area is.
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        QWidget *under = widget->childAt(at);
        if (!under || under == m_background)
            setBold(hoverrules::resetOnBackground(), false);
        return false;
    }
    setBold(hoverrules::emphasised(widget->objectName()), true);
    return false;
}

void HoverEmphasis::setBold(const QStringList &names, bool bold)
{
    for (const QString &name : names) {
        QWidget *w = m_window->findChild<QWidget *>(name);
        if (!w)
            continue;
        QFont font = w->font();
        if (font.bold() == bold)
            continue;
        font.setBold(bold);
        w->setFont(font);
    }
}

} // namespace browse
