// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "listmaker/currentlist.h"
#include "songdb/songconnection.h"
#include "songdb/sqltexts.h"

#include <QSemaphore>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QThread>

// Two desktops on one catalogue: each has its own connection to the same
// data source and appends its own disk at the same moment.
class SharedCatalogueTest : public QObject
{
    Q_OBJECT

private:
    static listmaker::CurrentList diskList(const QString &disk, int files)
    {
        listmaker::CurrentList list;
        list.FileCount = files;
        list.DiskLabel = disk;
        list.ExtensionText = QStringLiteral("NA");
        list.TotalFilesText = QString::number(files);
        for (int i = 0; i < files; ++i) {
            list.Paths[i] = QStringLiteral("/media/") + disk;
            list.Titles[i] = QStringLiteral("%1 track %2.mp3").arg(disk).arg(i);
            list.Sizes[i] = QString::number(i);
        }
        return list;
    }

    qint32 countOf(TempApp &app, const QString &disk)
    {
        QSqlQuery q(app.direct());
        q.prepare(QStringLiteral("select count(*) from table1 where DiskID = ?"));
        q.addBindValue(disk);
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }

private slots:
    void twoConnectionsAppendAtOnce()
    {
        TempApp app;
        const int files = 4000;
        const listmaker::CurrentList first = diskList(QStringLiteral("DESK-A"), files);
        const listmaker::CurrentList second = diskList(QStringLiteral("DESK-B"), files);

        QSemaphore ready;
        QSemaphore go;
        songdb::DbResult<int> results[2];
        auto desktop = [&](const listmaker::CurrentList &list, songdb::DbResult<int> &result) {
            return QThread::create([&] {
                songdb::SongConnection connection;
                ready.release();
                go.acquire();
                result = connection.appendList(list);
                // A desktop whose append lost a race tries again, as its user would.
                for (int attempt = 0; !result.ok() && attempt < 20; ++attempt) {
                    QThread::msleep(50);
                    result = connection.appendList(list);
                }
            });
        };
        std::unique_ptr<QThread> a(desktop(first, results[0]));
        std::unique_ptr<QThread> b(desktop(second, results[1]));
        a->start();
        b->start();
        ready.acquire(2);
        go.release(2);
        QVERIFY(a->wait(60000));
        QVERIFY(b->wait(60000));

        QVERIFY2(results[0].ok(), qPrintable(results[0].failure.description));
        QVERIFY2(results[1].ok(), qPrintable(results[1].failure.description));
        QCOMPARE(countOf(app, QStringLiteral("DESK-A")), files);
        QCOMPARE(countOf(app, QStringLiteral("DESK-B")), files);

        songdb::SongConnection reader;
        QCOMPARE(reader.countRecords().value, 2 * files);
        const auto titles = reader.allTitles();
        QSet<qint32> keys;
        for (int i = 0; i < titles.value.size(); ++i)
            keys.insert(titles.value.id(i));
        QCOMPARE(keys.size(), 2 * files);
    }

    void aFailedAppendLeavesTheOtherDiskWhole()
    {
        TempApp app;
        songdb::SongConnection c;
        QVERIFY(c.appendList(diskList(QStringLiteral("GOOD"), 50)).ok());
        app.refuseTitle(QStringLiteral("BAD track 30.mp3"));
        QVERIFY(!c.appendList(diskList(QStringLiteral("BAD"), 50)).ok());
        QCOMPARE(countOf(app, QStringLiteral("GOOD")), 50);
        QCOMPARE(countOf(app, QStringLiteral("BAD")), 0);
        QCOMPARE(c.countRecords().value, 50);
    }

    // Everyone knows the program's login, so on a server it may change the
    // records but never the catalogue itself.
    void theProgramsLoginChangesRecordsOnly_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("drop table") << QStringLiteral("drop table table1") << false;
        QTest::newRow("alter table") << QStringLiteral("alter table table1 add column Extra text") << false;
        QTest::newRow("create table") << QStringLiteral("create table t2 (a integer)") << false;
        QTest::newRow("create temporary table") << QStringLiteral("create temporary table t3 (a integer)") << false;
        QTest::newRow("insert") << QStringLiteral("insert into table1 (DiskID, TitleSID) values ('NEW', 'Song')")
                                << true;
        QTest::newRow("select") << QStringLiteral("select ID, TitleSID from table1") << true;
        QTest::newRow("update") << QStringLiteral("update table1 set TitleSID = 'Changed' where DiskID = 'OLD'")
                                << true;
        QTest::newRow("delete all") << songdb::sql::DeleteAll << true;
        // The IDs come from the sequence alone: an ID of its own would make the next append collide.
        QTest::newRow("insert with its own ID")
            << QStringLiteral("insert into table1 (ID, DiskID) values (900001, 'MINE')") << false;
        QTest::newRow("change an ID") << QStringLiteral("update table1 set ID = 900002 where DiskID = 'OLD'") << false;
        // Large objects would outlive Delete All.
        QTest::newRow("make a large object") << QStringLiteral("select lo_create(0)") << false;
        QTest::newRow("large object from bytes") << QStringLiteral("select lo_from_bytea(0, 'x')") << false;
        QTest::newRow("old way to a large object") << QStringLiteral("select lo_creat(-1)") << false;
    }

    void theProgramsLoginChangesRecordsOnly()
    {
        QFETCH(QString, statement);
        QFETCH(bool, allowed);
        if (!TempApp::onPostgres())
            QSKIP("the embedded database has no logins");
        TempApp app;
        app.addRecord({QStringLiteral("OLD"), QStringLiteral("/media/OLD"), QStringLiteral("Old song.mp3")});
        {
            QSqlDatabase login = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("program-login"));
            login.setDatabaseName(songdb::DefaultConnectString);
            QVERIFY2(login.open(), qPrintable(login.lastError().text()));
            QSqlQuery q(login);
            const bool done = q.exec(statement);
            QVERIFY2(done == allowed, qPrintable(statement + QStringLiteral(": ") + q.lastError().text()));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("program-login"));
        if (!allowed) {
            QCOMPARE(app.rowCount(), 1);
            QSqlQuery columns(app.direct());
            QVERIFY(columns.exec(QStringLiteral("select * from table1")));
            QCOMPARE(columns.record().count(), 11);
        }
    }
};

QTEST_GUILESS_MAIN(SharedCatalogueTest)
#include "sharedcatalogue_test.moc"
