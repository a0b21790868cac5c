// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/listx.h"

#include <QTest>

using namespace listmaker;

class ListXTest : public QObject
{
    Q_OBJECT

private slots:
    void fillDropsTheLastFourCharacters()
    {
        QCOMPARE(listx::FillListX({"Yesterday.mp3", "abcd", "ab", "song.flac", "Ölçü.ogg"}),
                 (QStringList{"Yesterday", "", "", "song.", "Ölçü"}));
    }

    void fillKeepsAtMostEightThousandNames()
    {
        QStringList many;
        for (int i = 0; i < listx::MaxNames + 5; ++i)
            many << QStringLiteral("n%1.mp3").arg(i);
        const QStringList names = listx::FillListX(many);
        QCOMPARE(names.size(), listx::MaxNames);
        QCOMPARE(names.last(), QStringLiteral("n7999"));
    }

    void limit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("inRange");
        QTest::addColumn<int>("failure");
        QTest::newRow("default") << "22" << 22 << true << 0;
        QTest::newRow("one") << "1" << 1 << true << 0;
        QTest::newRow("top") << "255" << 255 << true << 0;
        QTest::newRow("blanks") << " 12 " << 12 << true << 0;
        QTest::newRow("fraction rounds to even") << "2.5" << 2 << true << 0;
        QTest::newRow("zero") << "0" << 0 << false << 0;
        QTest::newRow("too many") << "256" << 256 << false << 0;
        QTest::newRow("negative") << "-3" << -3 << false << 0;
        QTest::newRow("letters") << "abc" << 0 << false << 0;
        QTest::newRow("nothing") << "" << 0 << false << 0;
        QTest::newRow("beyond 16 bits") << "40000" << 0 << false << int(listx::Overflow);
    }
    void limit()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(bool, inRange);
        QFETCH(int, failure);
        const listx::Limit l = listx::parseLimit(text);
        QCOMPARE(l.failure.number, failure);
        QCOMPARE(l.value, value);
        QCOMPARE(listx::limitInRange(l.value), inRange);
    }

    void cut_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("diskIds");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("failure");
        QTest::newRow("long name") << QStringList{"A rather long song title here.mp3"} << 22 << false
                                   << QStringList{"A rather long song tit"} << 0;
        QTest::newRow("short name") << QStringList{"Short11.mp3"} << 22 << false << QStringList{"Short11"} << 0;
        QTest::newRow("four-letter extension keeps its dot")
            << QStringList{"track.flac"} << 22 << false << QStringList{"track."} << 0;
        QTest::newRow("one character") << QStringList{"abc.mp3", "xyz.ogg"} << 1 << false
                                       << QStringList{"a", "x"} << 0;
        QTest::newRow("exactly four") << QStringList{"abcd"} << 22 << false << QStringList{""} << 0;
        QTest::newRow("disk ids are cut whole") << QStringList{"CD0001", "Hx"} << 3 << true
                                                << QStringList{"CD0", "Hx"} << 0;
        QTest::newRow("name under four characters") << QStringList{"ok.mp3", "a.b"} << 22 << false << QStringList{}
                                                    << int(platform::err::InvalidArgument);
    }
    void cut()
    {
        QFETCH(QStringList, names);
        QFETCH(int, limit);
        QFETCH(bool, diskIds);
        QFETCH(QStringList, expected);
        QFETCH(int, failure);
        const listx::Names built = listx::Concatanate(names, limit, diskIds);
        QCOMPARE(built.failure.number, failure);
        QCOMPARE(built.names, expected);
    }

    void moreThanEightThousandNamesFail()
    {
        QStringList many;
        for (int i = 0; i <= listx::MaxNames; ++i)
            many << QStringLiteral("n%1.mp3").arg(i);
        const listx::Names built = listx::Concatanate(many, 22, false);
        QCOMPARE(built.failure.number, platform::err::SubscriptOutOfRange);
        QVERIFY(built.names.isEmpty());
        many.removeLast();
        QCOMPARE(listx::Concatanate(many, 22, false).names.size(), listx::MaxNames);
    }
};

QTEST_GUILESS_MAIN(ListXTest)
#include "listx_test.moc"
