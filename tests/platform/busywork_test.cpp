// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/busywork.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// Long work runs off the window thread: the window keeps painting and its
// timers run, but clicks and keys meanwhile are dropped, not queued for later.
class BusyWorkTest : public QObject
{
    Q_OBJECT

    // Runs during on the window thread while work is under way: on a thread
    // of its own, or on the window thread under a pause of input.
    void duringWork(bool onAThread, const std::function<void()> &during)
    {
        if (!onAThread) {
            const platform::InputPause pause;
            during();
            return;
        }
        QSemaphore done;
        QTimer::singleShot(0, this, [&] {
            during();
            done.release();
        });
        platform::runBusy([&] { done.acquire(); });
    }

private slots:
    void windowsPaintButTakeNoInputMeanwhile()
    {
        QPushButton button(QStringLiteral("Press"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QPushButton::clicked);
        QSemaphore started;
        QSemaphore finish;
        int ticks = 0;
        bool began = false;
        bool workDone = false;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            ++ticks;
            // Once the work is surely under way: the user clicks, types and closes.
            if (ticks == 1) {
                began = started.tryAcquire(1, 5000);
                QTest::mouseClick(&button, Qt::LeftButton);
                QTest::keyClick(&button, Qt::Key_Space);
                button.close();
                button.repaint(); // painting goes on
                finish.release();
            }
        });
        ticker.start(1);
        platform::runBusy([&] {
            started.release();
            finish.acquire();
            workDone = true;
        });
        ticker.stop();
        QVERIFY(began);
        QVERIFY(workDone);
        QVERIFY(ticks >= 1);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(button.isVisible());
        // Afterwards the button answers again.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void aClickUnderWayWaitsForTheWork()
    {
        QPushButton button(QStringLiteral("Press"));
        button.show();
        QSignalSpy clicked(&button, &QPushButton::clicked);
        // A click begun from the keyboard ends on the button's timer, which
        // comes due while the work is still waiting for this later one.
        button.animateClick();
        QSemaphore finish;
        QTimer::singleShot(500, this, [&] { finish.release(); });
        platform::runBusy([&] { finish.acquire(); });
        QCOMPARE(clicked.count(), 0);
        QTRY_COMPARE(clicked.count(), 1);
    }

    void aStopRequestWaitsUntilTheWorkIsDone_data()
    {
        QTest::addColumn<bool>("onAThread");
        QTest::newRow("work on a thread of its own") << true;
        QTest::newRow("work on the window thread") << false;
    }
    // A request to stop (a signal) that comes during the work runs only once
    // the command that ran it has returned: nothing ends beneath the work,
    // which meanwhile may see that a request waits and stop early.
    void aStopRequestWaitsUntilTheWorkIsDone()
    {
        QFETCH(bool, onAThread);
        QStringList steps;
        QVERIFY(!platform::requestWaiting());
        duringWork(onAThread, [&] {
            platform::whenIdle([&] { steps << QStringLiteral("stop"); });
            if (platform::requestWaiting())
                steps << QStringLiteral("work sees it");
        });
        steps << QStringLiteral("command returns");
        QTRY_COMPARE(steps,
            QStringList({QStringLiteral("work sees it"), QStringLiteral("command returns"), QStringLiteral("stop")}));
        QVERIFY(!platform::requestWaiting());

        platform::whenIdle([&] { steps << QStringLiteral("at once"); });
        QCOMPARE(steps.last(), QStringLiteral("at once"));
    }

    // A command connected through the guard does not run while work is under
    // way, however it is started: a click made by a program, a text set by a
    // program; text from an input method does not even reach its box.
    void aGuardedCommandWaitsForNoWork_data() { aStopRequestWaitsUntilTheWorkIsDone_data(); }
    void aGuardedCommandWaitsForNoWork()
    {
        QFETCH(bool, onAThread);
        QPushButton button(QStringLiteral("Press"));
        QLineEdit box;
        QStringList ran;
        connect(&button, &QPushButton::clicked, this, platform::unlessBusy([&] { ran << QStringLiteral("click"); }));
        connect(&box, &QLineEdit::textChanged, this, platform::unlessBusy([&](const QString &text) { ran << text; }));
        bool wasBusy = false;
        duringWork(onAThread, [&] {
            wasBusy = platform::busy();
            button.click();
            box.setText(QStringLiteral("set"));
            QInputMethodEvent typed;
            typed.setCommitString(QStringLiteral(" typed"));
            QCoreApplication::sendEvent(&box, &typed);
        });
        QVERIFY(wasBusy);
        QVERIFY(!platform::busy());
        QCOMPARE(ran, QStringList());
        QCOMPARE(box.text(), QStringLiteral("set"));
        button.click();
        box.setText(QStringLiteral("after"));
        QCOMPARE(ran, QStringList({QStringLiteral("click"), QStringLiteral("after")}));
    }

    // Work that stays on the window thread drops input the same way.
    void aPauseDropsInput()
    {
        QPushButton button(QStringLiteral("Press"));
        button.show();
        QSignalSpy clicked(&button, &QPushButton::clicked);
        {
            const platform::InputPause pause;
            QTest::mouseClick(&button, Qt::LeftButton);
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        QCOMPARE(clicked.count(), 0);
    }
};

QTEST_MAIN(BusyWorkTest)
#include "busywork_test.moc"
