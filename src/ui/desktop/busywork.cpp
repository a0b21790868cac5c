// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/busywork.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

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
        // Text committed by an input method (ibus, fcitx) comes without a key.
        case QEvent::InputMethod:
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

int busyDepth = 0;
std::vector<std::function<void()>> pendingRequests;

} // namespace

InputPause::InputPause()
    : m_blocker(std::make_unique<InputBlocker>())
{
    QCoreApplication::instance()->installEventFilter(m_blocker.get());
    ++busyDepth;
}

InputPause::~InputPause()
{
    QCoreApplication::instance()->removeEventFilter(m_blocker.get());
    --busyDepth;
    if (busyDepth == 0 && !pendingRequests.empty()) {
        // After the command that ran the work has returned, from the event loop.
        for (const std::function<void()> &request : std::exchange(pendingRequests, {}))
            QMetaObject::invokeMethod(QCoreApplication::instance(), request, Qt::QueuedConnection);
    }
}

void runBusy(const std::function<void()> &work)
{
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    const InputPause pause;
    thread->start();
    loop.exec();
    thread->wait();
}

bool busy()
{
    return busyDepth > 0;
}

void whenIdle(const std::function<void()> &request)
{
    if (busyDepth == 0)
        request();
    else
        pendingRequests.push_back(request);
}

bool requestWaiting()
{
    return !pendingRequests.empty();
}

} // namespace platform
