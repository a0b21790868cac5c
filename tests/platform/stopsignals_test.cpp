// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/stopsignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

class StopSignalsTest : public QObject
{
    Q_OBJECT

private slots:
    void aSignalToStopReachesTheEventLoopOnce_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void aSignalToStopReachesTheEventLoopOnce()
    {
        QFETCH(int, signal);
        QVERIFY(platform::StopSignals::install());
        // Sent while the program is still starting, before anyone listens.
        std::raise(signal);
        platform::StopSignals stop;
        QSignalSpy spy(&stop, &platform::StopSignals::stopRequested);
        QTRY_COMPARE(spy.count(), 1);
        // A second request, of either kind, neither ends the process nor asks again.
        std::raise(signal);
        std::raise(signal == SIGTERM ? SIGHUP : SIGTERM);
        // The handler has written before raise returns; one turn of the loop delivers it.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_GUILESS_MAIN(StopSignalsTest)
#include "stopsignals_test.moc"
