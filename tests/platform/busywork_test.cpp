#include "platform/busywork.h"

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

    // A request to stop (a signal) that comes during the work runs only once
    // the command that ran it has returned: nothing ends beneath the work.
    void aStopRequestWaitsUntilTheWorkIsDone()
    {
        QStringList steps;
        QSemaphore finish;
        QTimer::singleShot(0, this, [&] {
            platform::whenIdle([&] { steps << QStringLiteral("stop"); });
            finish.release();
        });
        platform::runBusy([&] { finish.acquire(); });
        steps << QStringLiteral("command returns");
        QTRY_COMPARE(steps, QStringList({QStringLiteral("command returns"), QStringLiteral("stop")}));

        platform::whenIdle([&] { steps << QStringLiteral("at once"); });
        QCOMPARE(steps.last(), QStringLiteral("at once"));
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
