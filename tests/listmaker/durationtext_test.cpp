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
};

QTEST_GUILESS_MAIN(DurationTextTest)
#include "durationtext_test.moc"
