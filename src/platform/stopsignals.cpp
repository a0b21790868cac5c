// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/stopsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int wakePipe[2] = {-1, -1};

extern "C" void onStopSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

} // namespace

bool StopSignals::install()
{
    if (wakePipe[0] < 0 && ::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool ok = true;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ok = ::sigaction(signal, &action, nullptr) == 0 && ok;
    return ok;
}

StopSignals::StopSignals(QObject *parent)
    : QObject(parent)
{
    if (wakePipe[0] < 0)
        return;
    auto *notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopSignals::drain);
}

void StopSignals::drain()
{
    char bytes[16];
    while (::read(wakePipe[0], bytes, sizeof bytes) > 0) { }
    if (m_told)
        return;
    m_told = true;
    emit stopRequested();
}

} // namespace platform
