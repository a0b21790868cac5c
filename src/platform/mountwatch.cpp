// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mountwatch.h"

#include <QFile>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

MountWatch::MountWatch(std::function<void()> onChange, const QString &table, QObject *parent)
    : QObject(parent)
    , m_onChange(std::move(onChange))
{
    m_fd = ::open(QFile::encodeName(table).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    // The table always reads as ready; only the exceptional condition tells a change.
    m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        if (m_onChange)
            m_onChange();
    });
}

MountWatch::~MountWatch()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace platform
