// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/banner.h"
#include "shell/loadtime.h"

#include <QTest>

using shell::Banner;

class BannerTest : public QObject
{
    Q_OBJECT

private slots:
    void togglesBetweenRunningAndStopped()
    {
        Banner b;
        QVERIFY(!b.stopped());
        QCOMPARE(b.interval(), 200);
        QCOMPARE(b.toggle(), 0);
        QVERIFY(b.stopped());
        QCOMPARE(b.toggle(), 200);
        QVERIFY(!b.stopped());
    }

    void textLeavesLeftAndReentersRight()
    {
        Banner b(-1500);
        b.step();
        QCOMPARE(b.leftTwips(), -1600);
        b.step();
        QCOMPARE(b.leftTwips(), -1700);
        b.step(); // -1800 lies past the edge
        QCOMPARE(b.leftTwips(), 8520);
        b.step();
        QCOMPARE(b.leftTwips(), 8420);

        Banner exact(-1640);
        exact.step(); // reaching -1740 exactly is enough
        QCOMPARE(exact.leftTwips(), 8520);
    }

    void colourStepsAndRestarts()
    {
        Banner b;
        b.step();
        QCOMPARE(b.colour(), 500);
        for (int i = 1; i < 10000; ++i)
            b.step();
        QCOMPARE(b.colour(), 5000000); // not greater yet
        b.step();
        QCOMPARE(b.colour(), 0);
        b.step();
        QCOMPARE(b.colour(), 500);
    }

    void colourValueIsBlueGreenRed()
    {
        const qint32 c = 0x00332211;
        QCOMPARE(Banner::red(c), 0x11);
        QCOMPARE(Banner::green(c), 0x22);
        QCOMPARE(Banner::blue(c), 0x33);
        QCOMPARE(Banner::pixels(8520), 568);
        QCOMPARE(Banner::pixels(-1740), -116);
    }

    void loadTime_data()
    {
        QTest::addColumn<double>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "";
        QTest::newRow("under half") << 0.49 << "";
        QTest::newRow("half rounds up") << 0.5 << "1";
        QTest::newRow("rounded") << 123.6 << "124";
        QTest::newRow("no separators") << 1234567.0 << "1234567";
    }

    void loadTime()
    {
        QFETCH(double, ms);
        QFETCH(QString, text);
        QCOMPARE(shell::loadTimeText(ms), text);
    }
};

QTEST_GUILESS_MAIN(BannerTest)
#include "banner_test.moc"
