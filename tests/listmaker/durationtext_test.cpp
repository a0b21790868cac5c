// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/durationtext.h"

#include <QTest>

class DurationTextTest : public QObject
{
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0.0 << "Audio duration: 0:00";
        QTest::newRow("three minutes five") << 185.0 << "Audio duration: 3:05";
        QTest::newRow("59.6 left over") << 59.6 << "Audio duration: 0:60";
        QTest::newRow("a minute and 59.6") << 119.6 << "Audio duration: 1:60";
        QTest::newRow("a half rounds up") << 7.5 << "Audio duration: 0:08";
        QTest::newRow("just below a half") << 7.49 << "Audio duration: 0:07";
        QTest::newRow("whole minute") << 60.0 << "Audio duration: 1:00";
        QTest::newRow("over an hour") << 3725.0 << "Audio duration: 62:05";
        QTest::newRow("unknown length") << -1.0 << "Audio duration: 0:00";
    }
    void text()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(listmaker::audioDurationText(seconds), text);
    }

    void listCreated_data()
    {
        QTest::addColumn<double>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 0.0 << "List created in 0 ms";
        QTest::newRow("noise of a subtraction") << 2.03646000000003 << "List created in 2.036 ms";
        QTest::newRow("a fraction, as it is") << 12.4 << "List created in 12.4 ms";
        QTest::newRow("rounded to a microsecond") << 0.0126 << "List created in 0.013 ms";
        QTest::newRow("rounds up to whole") << 1999.9996 << "List created in 2000 ms";
        QTest::newRow("below a microsecond") << 0.0004 << "List created in 0 ms";
        QTest::newRow("long") << 123456789.5 << "List created in 123456789.5 ms";
    }
    void listCreated()
    {
        QFETCH(double, ms);
        QFETCH(QString, text);
        QCOMPARE(listmaker::listCreatedText(ms), text);
    }
};

QTEST_GUILESS_MAIN(DurationTextTest)
#include "durationtext_test.moc"
