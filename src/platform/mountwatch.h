// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QSocketNotifier;

namespace platform {

// Tells when a file system is mounted or unmounted: the kernel marks the
// mount table /proc/self/mountinfo with an exceptional condition (POLLPRI)
// at every change, which the event loop watches without polling.
class MountWatch final : public QObject
{
public:
    explicit MountWatch(std::function<void()> onChange, const QString &table = QStringLiteral("/proc/self/mountinfo"),
        QObject *parent = nullptr);
    ~MountWatch() override;

    // False when the table could not be opened: no change is ever told.
    bool isWatching() const { return m_fd >= 0; }

private:
    std::function<void()> m_onChange;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
