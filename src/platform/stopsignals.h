// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace platform {

// Turns the requests to stop that reach a desktop program as signals (SIGTERM
// from a shutdown or `kill`, SIGINT from Ctrl+C, SIGHUP from a closed
// terminal) into one stopRequested on the event loop, so that the program
// leaves its ordinary way. Requests often come in twos (a signal to the
// process and one to its group; SIGTERM with SIGHUP at the end of a session):
// every later one is taken as the same request. A program that cannot get to
// its event loop is left to SIGKILL.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    // Catches the signals from now on; call first thing in main, so that a
    // request during the start is held rather than fatal.
    static bool install();

    // Delivers caught requests, those caught before it included, from the
    // next turn of the event loop on; stopRequested comes once.
    explicit StopSignals(QObject *parent = nullptr);

signals:
    void stopRequested();

private:
    void drain();

    bool m_told = false;
};

} // namespace platform
