// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "listmaker/currentlist.h"
#include "listmaker/diskcomparison.h"
#include "songdb/songconnection.h"
#include "songdb/typeaheadsearch.h"

#include <QTest>

// Searches as the user types run beside the caller; only the newest one
// reports, a cancelled one never does, and every write first stops them.
namespace {

struct Report
{
    QStringList titles;
    int failure = 0;
};

class Reports : public QObject
{
public:
    explicit Reports(songdb::TypeAheadSearch &search)
    {
        connect(&search, &songdb::TypeAheadSearch::finished, this,
            [this](const songdb::TitleLines &lines, const platform::Failure &failure) {
                Report r;
                for (int i = 0; i < lines.size(); ++i)
                    r.titles << lines.text(i);
                r.failure = failure.number;
                reports << r;
            });
    }
    QList<Report> reports;
};

} // namespace

class TypeAheadSearchTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_app = std::make_unique<TempApp>();
        for (const char *title : {"alpha", "alphabet", "beta", "gamma", "gamma ray"})
            m_app->addRecord({QStringLiteral("CD1"), QStringLiteral("/"), QString::fromLatin1(title)});
    }
    void cleanup() { m_app.reset(); }

    void onlyTheNewestSearchReports()
    {
        songdb::TypeAheadSearch search(songdb::DefaultConnectString);
        Reports seen(search);
        search.search(QStringLiteral("TitleSID"), QStringLiteral("alph"));
        search.search(QStringLiteral("TitleSID"), QStringLiteral("amma"));
        QVERIFY(search.searching());
        QTRY_COMPARE(seen.reports.size(), 1);
        QVERIFY(!search.searching());
        // A report of the first search would come before the next one's.
        search.search(QStringLiteral("TitleSID"), QStringLiteral("bet"));
        QTRY_COMPARE(seen.reports.size(), 2);
        QCOMPARE(seen.reports[0].titles, QStringList({QStringLiteral("gamma"), QStringLiteral("gamma ray")}));
        QCOMPARE(seen.reports[1].titles, QStringList({QStringLiteral("alphabet"), QStringLiteral("beta")}));
        QCOMPARE(seen.reports[1].failure, 0);
    }

    void aCancelledSearchNeverReports()
    {
        songdb::TypeAheadSearch search(songdb::DefaultConnectString);
        Reports seen(search);
        search.search(QStringLiteral("TitleSID"), QStringLiteral("alph"));
        search.cancel();
        QVERIFY(!search.searching());
        search.stopForWrite();
        search.search(QStringLiteral("TitleSID"), QStringLiteral("zzz"));
        QTRY_COMPARE(seen.reports.size(), 1);
        QCOMPARE(seen.reports[0].titles, QStringList());
        QCOMPARE(seen.reports[0].failure, 0);
    }

    void aSearchWithoutADataSourceSaysWhy()
    {
        songdb::TypeAheadSearch search(TempApp::missingConnectString());
        Reports seen(search);
        search.search(QStringLiteral("TitleSID"), QStringLiteral("alph"));
        QTRY_COMPARE(seen.reports.size(), 1);
        QCOMPARE(seen.reports[0].failure, platform::err::ConnectionClosed);
        QCOMPARE(seen.reports[0].titles, QStringList());
    }

    // Every command that writes goes through one of these.
    void everyWriteStopsTheReadsBesideIt()
    {
        songdb::SongDatabase database;
        database.ConnectDatabase();
        int stops = 0;
        const int id = database.addBackgroundRead([&] { ++stops; });
        songdb::SongConnection &c = database.connection();

        listmaker::CurrentList list;
        list.FileCount = 1;
        list.DiskLabel = QStringLiteral("CD9");
        list.Titles[0] = QStringLiteral("delta");
        QVERIFY(c.appendList(list).ok());
        QCOMPARE(stops, 1);
        const auto titles = c.allTitles();
        QVERIFY(!c.updateRecord(titles.value.id(0), QStringLiteral("x"), {}, {}, {}).isSet());
        QCOMPARE(stops, 2);
        const auto disk = c.findDisk(QStringLiteral("CD9"));
        QVERIFY(disk.ok() && disk.value);
        listmaker::DiskUpdate update;
        update.diskId = disk.value->diskId;
        QVERIFY(!c.updateDisk(update).isSet());
        QCOMPARE(stops, 3);
        QCOMPARE(c.deleteDisk(QStringLiteral("CD9")).value, 1);
        QCOMPARE(stops, 4);
        QVERIFY(c.deleteDiskChange(QStringLiteral("CD1")).ok());
        QCOMPARE(stops, 5);
        QVERIFY(c.deleteAllChange().ok());
        QCOMPARE(stops, 6);
        // Reads stop nothing.
        QVERIFY(c.find(QStringLiteral("TitleSID"), QStringLiteral("alph")).ok());
        QCOMPARE(stops, 6);

        database.removeBackgroundRead(id);
        QVERIFY(c.deleteAll().ok());
        QCOMPARE(stops, 6);
    }

private:
    std::unique_ptr<TempApp> m_app;
};

QTEST_GUILESS_MAIN(TypeAheadSearchTest)
#include "typeaheadsearch_test.moc"
