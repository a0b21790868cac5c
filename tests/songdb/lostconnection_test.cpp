// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "listmaker/currentlist.h"
#include "songdb/lostconnection.h"
#include "songdb/songconnection.h"

#include <QDir>
#include <QFile>
#include <QQueue>
#include <QTest>

using platform::Failure;
using songdb::LostConnectionRule;
namespace err = platform::err;

Q_DECLARE_METATYPE(Failure)

namespace {

const Failure Fine;
const Failure Lost {err::DatabaseError, QStringLiteral("SQLExecDirectW unable due to the connection lost")};
const Failure Refused {err::DatabaseError, QStringLiteral("ERROR: syntax error at or near \"selct\"")};
const Failure ServerDown {err::DatabaseError, QStringLiteral("could not connect to server: Connection refused")};

// A connection whose attempts and reopenings fail as scripted.
struct ScriptedLink
{
    QQueue<Failure> attempts;
    QQueue<Failure> reopens;
    int attemptsRun = 0;
    int reopensTried = 0;

    LostConnectionRule rule {[this] {
                                 ++reopensTried;
                                 return reopens.isEmpty() ? Failure() : reopens.dequeue();
                             },
        [](const Failure &f) { return songdb::tellsOfLostConnection(f); }};

    LostConnectionRule::Attempt attempt()
    {
        return [this] {
            ++attemptsRun;
            return attempts.isEmpty() ? Failure() : attempts.dequeue();
        };
    }
};

listmaker::CurrentList songs(const QString &disk, int count)
{
    listmaker::CurrentList list;
    list.FileCount = count;
    list.DiskLabel = disk;
    list.ArtistText = QStringLiteral("Artist");
    list.ExtensionText = QStringLiteral("NA");
    list.TotalFilesText = QString::number(count);
    for (int i = 0; i < count; ++i) {
        list.Paths[i] = QStringLiteral("/music");
        list.Titles[i] = QStringLiteral("song %1.mp3").arg(i);
    }
    return list;
}

} // namespace

class LostConnectionTest : public QObject
{
    Q_OBJECT

private slots:
    // The rule's table below tells a lost statement and a wrong one apart as well.
    void tellsLossFromRefusal_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("lost");
        QTest::newRow("server stopped under the connection")
            << err::DatabaseError
            << "FATAL: terminating connection due to administrator command;\nThe connection has been lost" << true;
        QTest::newRow("server not back yet")
            << err::DatabaseError << "could not connect to server: Connection refused\n\tIs the server running?"
            << true;
        QTest::newRow("state of class 08") << err::ConnectionLost << "Communication link failure" << true;
        QTest::newRow("database file on a dropped share") << err::DatabaseError << "disk I/O error (10)" << true;
        QTest::newRow("folder of the database file gone")
            << err::DatabaseError << "unable to open database file (14)" << true;
        QTest::newRow("refused row") << err::DatabaseError << "refused (19)" << false;
        QTest::newRow("data source never opened")
            << err::ConnectionClosed << "Operation is not allowed when the object is closed." << false;
        QTest::newRow("no record") << err::NoCurrentRecord << "Either BOF or EOF is True" << false;
    }
    void tellsLossFromRefusal()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QFETCH(bool, lost);
        QCOMPARE(songdb::tellsOfLostConnection({number, text}), lost);
    }

    // operations: reads (r) and changes (w) in turn; attempts and reopens:
    // what each attempt and each reopening gives, in turn; the failure is
    // the last operation's. After a loss the next operation, read or change,
    // opens the connection first; while that fails nothing is run.
    void readRunsAgainChangeNever_data()
    {
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QList<Failure>>("attempts");
        QTest::addColumn<QList<Failure>>("reopens");
        QTest::addColumn<int>("attemptsRun");
        QTest::addColumn<int>("reopensTried");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("saying");
        QTest::addColumn<bool>("pending");
        using L = QList<Failure>;
        QTest::newRow("refused read") << "r" << L {Refused} << L {} << 1 << 0 << err::DatabaseError << "selct" << false;
        QTest::newRow("read on a lost connection runs again")
            << "r" << L {Lost, Fine} << L {Fine} << 2 << 1 << 0 << "" << false;
        QTest::newRow("read, server not back")
            << "r" << L {Lost} << L {ServerDown} << 1 << 1 << err::ConnectionLost
            << "The song catalogue cannot be reached: could not connect to server: Connection refused" << true;
        QTest::newRow("read lost again at once")
            << "r" << L {Lost, Lost} << L {Fine} << 2 << 1 << err::ConnectionLost << "cannot be reached" << true;
        QTest::newRow("refused change") << "w" << L {Refused} << L {} << 1 << 0 << err::DatabaseError << "selct"
                                        << false;
        QTest::newRow("change on a lost connection is not repeated")
            << "w" << L {Lost, Fine} << L {Fine} << 1 << 0 << err::ConnectionLost
            << "the change was not stored. Try it again." << true;
        QTest::newRow("the next operations try again until the server is back")
            << "wwrr" << L {Lost} << L {ServerDown, ServerDown, Fine} << 2 << 3 << 0 << "" << false;
    }
    void readRunsAgainChangeNever()
    {
        QFETCH(QString, operations);
        QFETCH(QList<Failure>, attempts);
        QFETCH(QList<Failure>, reopens);
        ScriptedLink link;
        link.attempts << attempts;
        link.reopens << reopens;
        Failure f;
        for (const QChar op : operations)
            f = op == QLatin1Char('r') ? link.rule.read(link.attempt()) : link.rule.write(link.attempt());
        QTEST(link.attemptsRun, "attemptsRun");
        QTEST(link.reopensTried, "reopensTried");
        QTEST(f.number, "number");
        QFETCH(QString, saying);
        QVERIFY2(f.description.contains(saying), qPrintable(f.description));
        QTEST(link.rule.pending(), "pending");
    }

    // The database file on a share: the share drops (its folder is gone), a
    // change is refused as not stored, reads say the catalogue cannot be
    // reached until the share is back, and then everything works as before.
    void databaseFileOnShareThatComesBack()
    {
        if (TempApp::onPostgres())
            QSKIP("a database file on a share is SQLite's case");
        QTemporaryDir dir;
        const QString share = dir.filePath(QStringLiteral("share"));
        const QString away = dir.filePath(QStringLiteral("share-away"));
        QVERIFY(QDir().mkpath(share));
        QVERIFY(QFile::copy(QStringLiteral(QUENMORA_EMPTY_DB), share + QStringLiteral("/DizaRore.sqlite")));
        QFile::setPermissions(
            share + QStringLiteral("/DizaRore.sqlite"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        songdb::SongConnection c(QStringLiteral("DRIVER=SQLite3;Database=%1/DizaRore.sqlite;Timeout=2000;").arg(share));
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        QCOMPARE(c.appendList(songs(QStringLiteral("CD01"), 3)).value, 3);

        QVERIFY(QDir().rename(share, away));
        const auto dropped = c.appendList(songs(QStringLiteral("CD02"), 3));
        QCOMPARE(dropped.failure.number, err::ConnectionLost);
        QVERIFY2(
            dropped.failure.description.contains(QLatin1String("not stored")), qPrintable(dropped.failure.description));
        QVERIFY(c.isOpen()); // lost, and opened again by the next operation
        const auto unreachable = c.countRecords();
        QCOMPARE(unreachable.failure.number, err::ConnectionLost);
        QVERIFY2(unreachable.failure.description.contains(QLatin1String("cannot be reached")),
            qPrintable(unreachable.failure.description));

        QVERIFY(QDir().rename(away, share));
        const auto back = c.countRecords();
        QVERIFY2(back.ok(), qPrintable(back.failure.description));
        QCOMPARE(back.value, 3); // nothing of the refused change
        QCOMPARE(c.appendList(songs(QStringLiteral("CD02"), 3)).value, 3);
        QCOMPARE(c.allTitles().value.size(), 6);
    }
};

QTEST_GUILESS_MAIN(LostConnectionTest)
#include "lostconnection_test.moc"
