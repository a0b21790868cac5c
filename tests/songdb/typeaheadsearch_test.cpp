// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "listmaker/currentlist.h"
#include "listmaker/diskcomparison.h"
#include "songdb/songconnection.h"
#include "songdb/typeaheadsearch.h"

#include <QTest>

#include <utility>

// Searches as the user types run beside the caller; only the newest one
// reports, a cancelled one never does, and every write first stops them.
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

    // What is asked one after another without waiting (texts to search for,
    // "cancel", "write"), and the one report that comes of it (titles with
    // "|" between); a search asked for afterwards reports next, so nothing
    // older comes later.
    void onlyTheNewestSearchReports_data()
    {
        QTest::addColumn<bool>("source"); // whether the data source is there
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("titles");
        QTest::newRow("a newer text") << true << "alph amma" << 0 << "gamma|gamma ray";
        QTest::newRow("cancelled") << true << "alph cancel write zzz" << 0 << "";
        QTest::newRow("stopped for a write") << true << "alph write ray" << 0 << "gamma ray";
        QTest::newRow("no data source") << false << "alph" << int(platform::err::ConnectionClosed) << "";
    }

    void onlyTheNewestSearchReports()
    {
        QFETCH(bool, source);
        QFETCH(QString, asked);
        QFETCH(int, failure);
        QFETCH(QString, titles);
        songdb::TypeAheadSearch search(source ? songdb::DefaultConnectString : TempApp::missingConnectString());
        QStringList reports; // the failure's number, then the titles
        connect(&search, &songdb::TypeAheadSearch::finished, this,
            [&](const songdb::TitleLines &lines, const platform::Failure &f) {
                QStringList found;
                for (int i = 0; i < lines.size(); ++i)
                    found << lines.text(i);
                reports << QString::number(f.number) + QLatin1Char(' ') + found.join(QLatin1Char('|'));
            });
        for (const QString &step : asked.split(QLatin1Char(' '))) {
            if (step == QLatin1String("cancel"))
                search.cancel();
            else if (step == QLatin1String("write"))
                search.stopForWrite();
            else
                search.search(QStringLiteral("TitleSID"), step);
            QCOMPARE(search.searching(), step != QLatin1String("cancel") && step != QLatin1String("write"));
        }
        QTRY_COMPARE(reports.size(), 1);
        QVERIFY(!search.searching());
        QCOMPARE(reports[0], QStringLiteral("%1 %2").arg(failure).arg(titles));
        search.search(QStringLiteral("TitleSID"), QStringLiteral("bet"));
        QTRY_COMPARE(reports.size(), 2);
        if (source)
            QCOMPARE(reports[1], QStringLiteral("0 alphabet|beta"));
    }

    // Every command that writes goes through one of these, and stops the
    // reads beside it once; reads stop nothing.
    void everyWriteStopsTheReadsBesideIt()
    {
        songdb::SongDatabase database;
        database.ConnectDatabase();
        int stops = 0;
        const int id = database.addBackgroundRead([&] { ++stops; });
        const auto stoppedOnce = [&] { return std::exchange(stops, 0) == 1; };
        songdb::SongConnection &c = database.connection();

        listmaker::CurrentList list;
        list.FileCount = 1;
        list.DiskLabel = QStringLiteral("CD9");
        list.Titles[0] = QStringLiteral("delta");
        QVERIFY(c.appendList(list).ok() && stoppedOnce());
        QVERIFY(!c.updateRecord(c.allTitles().value.id(0), QStringLiteral("x"), {}, {}, {}).isSet() && stoppedOnce());
        const auto disk = c.findDisk(QStringLiteral("CD9"));
        QVERIFY(disk.ok() && disk.value && stops == 0);
        listmaker::DiskUpdate update;
        update.diskId = disk.value->diskId;
        QVERIFY(!c.updateDisk(update).isSet() && stoppedOnce());
        QVERIFY(c.deleteDisk(QStringLiteral("CD9")).value == 1 && stoppedOnce());
        QVERIFY(c.deleteDiskChange(QStringLiteral("CD1")).ok() && stoppedOnce());
        QVERIFY(c.deleteAllChange().ok() && stoppedOnce());
        QVERIFY(c.find(QStringLiteral("TitleSID"), QStringLiteral("alph")).ok() && stops == 0);

        database.removeBackgroundRead(id);
        QVERIFY(c.deleteAll().ok() && stops == 0);
    }

private:
    std::unique_ptr<TempApp> m_app;
};

QTEST_GUILESS_MAIN(TypeAheadSearchTest)
#include "typeaheadsearch_test.moc"
