// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "listmaker/currentlist.h"
#include "songdb/songconnection.h"

#include <QTest>

using songdb::SongConnection;

class SongConnectionTest : public QObject
{
    Q_OBJECT

private slots:
    void missingDataSourceLeavesEveryOperationClosed()
    {
        TempApp app;
        songdb::SongDatabase db(TempApp::missingConnectString());
        db.ConnectDatabase();
        SongConnection &c = db.connection();
        QVERIFY(!c.isOpen());
        QCOMPARE(c.countRecords().failure.number, platform::err::ConnectionClosed);
        QCOMPARE(c.allTitles().failure.number, platform::err::ConnectionClosed);
        QCOMPARE(c.appendList(listmaker::CurrentList()).failure.number, platform::err::ConnectionClosed);
        QCOMPARE(c.deleteAll().failure.number, platform::err::ConnectionClosed);
        QCOMPARE(c.updateRecord(1, {}, {}, {}, {}).number, platform::err::ConnectionClosed);
    }

    // A server that refuses the program's login (its password was changed,
    // say) has its administrator run the set-up again, and the failures say so.
    void aRefusedLoginNamesItsRepair()
    {
        if (!TempApp::onPostgres())
            QSKIP("the embedded database has no logins");
        TempApp app;
        songdb::SongDatabase db(QStringLiteral("Orvandel;UID=sa;PWD=not-kzq;"));
        db.ConnectDatabase();
        QVERIFY(db.connection().loginRefused());
        const platform::Failure f = db.connection().countRecords().failure;
        QCOMPARE(f.number, platform::err::ConnectionClosed);
        QVERIFY2(f.description.contains(QStringLiteral("repair the login by running the set-up again")),
            qPrintable(f.description));
    }

    void recognisesTheServersRefusals_data()
    {
        QTest::addColumn<QString>("driverText");
        QTest::addColumn<bool>("refused");
        QTest::newRow("password") << QStringLiteral("[unixODBC]connection to server at \"db\", port 5432 failed: "
                                                    "FATAL:  password authentication failed for user \"sa\"")
                                  << true;
        QTest::newRow("login right") << QStringLiteral("FATAL:  role \"sa\" is not permitted to log in") << true;
        QTest::newRow("connect right") << QStringLiteral(
            "FATAL:  permission denied for database \"quenmora\" DETAIL:  User does not have "
            "CONNECT privilege.") << true;
        QTest::newRow("server down") << QStringLiteral("[unixODBC]connection to server at \"db\", port 5432 "
                                                       "failed: Connection refused Is the server running?")
                                     << false;
        QTest::newRow("unknown host") << QStringLiteral("could not translate host name \"db\" to address") << false;
        QTest::newRow("embedded file missing") << QStringLiteral("[unixODBC][SQLite]connect failed") << false;
        QTest::newRow("no such data source")
            << QStringLiteral("[unixODBC][Driver Manager]Data source name not found and no default driver specified")
            << false;
    }

    void recognisesTheServersRefusals()
    {
        QFETCH(QString, driverText);
        QFETCH(bool, refused);
        QCOMPARE(songdb::isLoginRefusal(driverText), refused);
    }

    void notYetConnectedIsClosed()
    {
        songdb::SongDatabase db;
        QCOMPARE(db.connection().countRecords().failure.number, platform::err::ConnectionClosed);
    }

    void appendCountsAndReadsBack()
    {
        TempApp app;
        SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        QCOMPARE(c.countRecords().value, 0);

        listmaker::CurrentList list;
        list.FileCount = 3;
        list.DiskLabel = QStringLiteral("CD01");
        list.ArtistText = QStringLiteral("Björk");
        list.ExtensionText = QStringLiteral("NA");
        list.TotalFilesText = QStringLiteral("3");
        for (int i = 0; i < 3; ++i) {
            list.Paths[i] = QStringLiteral("/music");
            list.Titles[i] = QStringLiteral("song %1's.mp3").arg(i);
            list.Sizes[i] = QString::number(1000 + i);
            list.DateTimes[i] = QStringLiteral("7 Dec 2026 10:00:0%1").arg(i);
        }
        const auto added = c.appendList(list);
        QVERIFY(added.ok());
        QCOMPARE(added.value, 3);
        QCOMPARE(c.countRecords().value, 3);

        const auto titles = c.allTitles();
        QCOMPARE(titles.value.size(), 3);
        QCOMPARE(titles.value.text(1), QStringLiteral("song 1's.mp3"));

        const auto rec = c.recordByKey(titles.value.id(2));
        QVERIFY(rec.ok() && rec.value.has_value());
        QCOMPARE((*rec.value)[songdb::ArtistID], QStringLiteral("Björk"));
        QCOMPARE((*rec.value)[songdb::FileSizID], QStringLiteral("1002"));
        QCOMPARE((*rec.value)[songdb::OccasionID], QString());
        QVERIFY(!c.recordByKey(99999).value.has_value());

        QCOMPARE(c.recordAt(2).value[songdb::TitleSID], QStringLiteral("song 1's.mp3"));
        QCOMPARE(c.recordAt(4).failure.number, platform::err::NoCurrentRecord);
        QCOMPARE(c.recordAt(0).failure.number, platform::err::NoCurrentRecord);
    }

    void appendIsAllOrNothing()
    {
        TempApp app;
        app.refuseTitle(QStringLiteral("bad")); // the third row fails
        SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        listmaker::CurrentList list;
        list.FileCount = 4;
        for (int i = 0; i < 4; ++i)
            list.Titles[i] = i == 2 ? QStringLiteral("bad") : QStringLiteral("good");
        const auto added = c.appendList(list);
        QVERIFY(!added.ok());
        QCOMPARE(app.rowCount(), 0);
    }

    void overfullListIsRefusedWhole()
    {
        TempApp app;
        SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        listmaker::CurrentList list;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        list.FileCount = listmaker::CurrentList::Capacity + 1;
        QCOMPARE(c.appendList(list).failure.number, platform::err::SubscriptOutOfRange);
        QCOMPARE(app.rowCount(), 0);
    }

    void keysAboveSixteenBitsWork()
    {
        TempApp app;
        app.exec(QStringLiteral("insert into table1 (ID, DiskID, TitleSID) values (40000, 'BIG', 'big one')"));
        SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        const auto rec = c.recordByKey(40000);
        QVERIFY(rec.value.has_value());
        QCOMPARE((*rec.value)[songdb::ID], QStringLiteral("40000"));
        QVERIFY(
            !c.updateRecord(40000, QStringLiteral("t"), QStringLiteral("o"), QStringLiteral("a"), QStringLiteral("s"))
                 .isSet());
        QCOMPARE((*c.recordByKey(40000).value)[songdb::StatusID], QStringLiteral("s"));
        QCOMPARE(c.updateRecord(40001, {}, {}, {}, {}).number, platform::err::NoCurrentRecord);
    }

    void findBindsTheTextAndChecksTheColumn()
    {
        TempApp app;
        app.addRecord({QStringLiteral("A"), QStringLiteral("/"), QStringLiteral("Hello")});
        app.addRecord({QStringLiteral("A"), QStringLiteral("/"), QStringLiteral("Yellow")});
        app.addRecord({QStringLiteral("A"), QStringLiteral("/"), QStringLiteral("Don't stop")});
        app.addRecord({QStringLiteral("B"), QStringLiteral("/"), QStringLiteral("x' OR '1'='1")});
        SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        QCOMPARE(c.find(QStringLiteral("TitleSID"), QStringLiteral("ell")).value.size(), 2);
        QCOMPARE(c.find(QStringLiteral("titlesid"), QStringLiteral("'")).value.size(), 2);
        QCOMPARE(c.find(QStringLiteral("TitleSID"), QStringLiteral("' OR '1'='1")).value.size(), 1);
        QCOMPARE(c.find(QStringLiteral("TitleSID"), QString()).value.size(), 4);
        QCOMPARE(c.find(QStringLiteral("OccasionID"), QString()).value.size(), 0);
        QCOMPARE(c.find(QStringLiteral("TitleSID; drop table table1"), QStringLiteral("x")).failure.number,
            platform::err::InvalidArgument);
        QCOMPARE(c.countRecords().value, 4);
    }

    void oneGroupQuerySeesRecordsWithoutALabel_data()
    {
        QTest::addColumn<QStringList>("occasions"); // one record each; "-" has none
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<bool>("anyGroup");
        QTest::newRow("empty table") << QStringList() << QStringList() << false;
        QTest::newRow("no record labelled") << QStringList({"-", "-"}) << QStringList() << true;
        QTest::newRow("some labelled") << QStringList({"-", "Party", "Party", "Dance"})
                                       << QStringList({"Dance", "Party"}) << true;
    }
    void oneGroupQuerySeesRecordsWithoutALabel()
    {
        QFETCH(QStringList, occasions);
        QFETCH(QStringList, labels);
        QFETCH(bool, anyGroup);
        TempApp app;
        for (const QString &occasion : occasions) {
            app.addRecord({QStringLiteral("CD1"), {}, QStringLiteral("t"), {}, {}, {}, {}, {},
                occasion == QLatin1String("-") ? QString() : occasion});
        }
        SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        bool seen = !anyGroup;
        const auto groups = c.groupValues(songdb::OccasionID, true, &seen);
        QVERIFY(groups.ok());
        QCOMPARE(groups.value, labels);
        QCOMPARE(seen, anyGroup);
    }

    void labelsDeletesAndColumns()
    {
        TempApp app;
        app.addRecord({QStringLiteral("CD1"), {}, QStringLiteral("a")});
        app.addRecord({QStringLiteral("CD2"), {}, QStringLiteral("b")});
        app.addRecord({QStringLiteral("cd1"), {}, QStringLiteral("c")});
        app.addRecord({QStringLiteral("CD1"), {}, QStringLiteral("d"), {}, {}, {}, {}, {}, QStringLiteral("Party")});
        SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        QCOMPARE(c.groupValues(songdb::DiskID, true).value,
            QStringList({QStringLiteral("CD1"), QStringLiteral("CD2"), QStringLiteral("cd1")}));
        QCOMPARE(c.groupValues(songdb::OccasionID, true).value, QStringList {QStringLiteral("Party")});
        QCOMPARE(c.groupValues(songdb::OccasionID, false).value.size(), 2);
        QCOMPARE(c.columnNames().value.size(), 11);
        QCOMPARE(c.columnNames().value.at(3), QStringLiteral("TitleSID"));

        const auto deleted = c.deleteDisk(QStringLiteral("CD1"));
        QVERIFY(deleted.ok());
        QCOMPARE(deleted.value, 2);
        QCOMPARE(c.countRecords().value, 2);
        QCOMPARE(c.deleteAll().value, 2);
        QCOMPARE(c.countRecords().value, 0);
    }
};

QTEST_GUILESS_MAIN(SongConnectionTest)
#include "songconnection_test.moc"
