#include "platform/busywork.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QWidget>

#include <memory>

namespace platform {

namespace {

class InputBlocker final : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::Drop:
            return true;
        case QEvent::Timer:
            // A button's own timers finish a click begun from the keyboard
            // (and repeat a held one): that click must wait, not run a
            // second command inside this one.
            return watched->inherits("QAbstractButton");
        case QEvent::Close:
            if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
                event->ignore();
                return true;
            }
            return false;
        default:
            return false;
        }
    }
};

} // namespace

void runBusy(const std::function<void()> &work)
{
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    InputBlocker blocker;
    QCoreApplication::instance()->installEventFilter(&blocker);
    thread->start();
    loop.exec();
    thread->wait();
    QCoreApplication::instance()->removeEventFilter(&blocker);
}

} // namespace platform
