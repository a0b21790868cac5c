#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

// Turns the requests to stop that reach a desktop program as signals (SIGTERM
// from a shutdown or `kill`, SIGINT from Ctrl+C, SIGHUP from a closed
// terminal) into stopRequested on the event loop, so that the program can
// leave its ordinary way. The same signal a second time ends the program at
// once, as it would without this.
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
    ~StopSignals() override;

signals:
    void stopRequested();

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
    bool m_told = false;
};

} // namespace platform
