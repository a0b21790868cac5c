// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QElapsedTimer>

namespace platform {

// Wall-clock time for what is shown and logged; a monotonic clock for
// elapsed times, which never run backwards across midnight.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds on a monotonic clock, with a fraction.
    virtual double milliseconds() const = 0;
};

class SystemClock final : public Clock
{
public:
    SystemClock() { m_timer.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    double milliseconds() const override { return double(m_timer.nsecsElapsed()) / 1.0e6; }

private:
    QElapsedTimer m_timer;
};

} // namespace platform
