// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "listmaker/currentlist.h"
#include "songdb/odbcdirect.h"
#include "songdb/readwatch.h"
#include "songdb/searchindex.h"
#include "songdb/songconnection.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

using songdb::ArtistID;
using songdb::TitleSID;

// Finding through the trigram indexes lists exactly what reading the table
// lists, on each engine with its own LIKE rules; an index that cannot be
// trusted is left alone; the program's writes keep the index in step; a
// read can be stopped from another thread.
namespace {

// Titles and artists of the records, in key order; the last has neither.
const QList<QPair<QString, QString>> Songs = {{"Love Me Tender", "Elvis Presley"}, {"LOVE IS ALL", "The Love Affair"},
    {"Glove box", "Hand & Glove"}, {"Café del Mar", "Energy 52"}, {"CAFÉ AU LAIT", "Mélanie"}, {"café crème", "Ça va"},
    {"日本", "東京事変"}, {"日本語の歌", "日"}, {"本", "坂本龍一"}, {"100% pure", "Per_cent"}, {"a_b and ab", "A_B"},
    {"O'Brien's song", "Sinéad O'Connor"}, {"The \"Quoted\" Song", "Q\"uote"}, {"😀 smile", "Emoji 😀😀"}, {"", ""},
    {QString(), QString()}};

// Each line as its record's key and its text, or its text alone.
QStringList listed(const songdb::TitleLines &lines, bool keys = true)
{
    QStringList out;
    for (int i = 0; i < lines.size(); ++i)
        out << (keys ? QString::number(lines.id(i)) + QLatin1Char(' ') : QString()) + lines.text(i);
    return out;
}

// Adds the songs on one disk in one transaction; returns their keys.
QList<qint32> seed(TempApp &app)
{
    QList<qint32> keys;
    app.direct().transaction();
    for (const auto &[title, artist] : Songs) {
        keys << app.addRecord({QStringLiteral("CD1"), QStringLiteral("/music"), title, QStringLiteral("NA"),
            QStringLiteral("1"), QStringLiteral("d"), artist});
    }
    app.direct().commit();
    return keys;
}

// SQLite checks that an FTS5 index agrees with the rows of its table (a server
// keeps its own).
void checkIndexIntegrity(TempApp &app)
{
    if (TempApp::onPostgres())
        return;
    for (const char *table : {"table1_TitleSID_search", "table1_ArtistID_search"}) {
        QSqlQuery q(app.direct());
        QVERIFY2(
            q.exec(QStringLiteral("insert into %1 (%1, rank) values ('integrity-check', 1)").arg(QLatin1String(table))),
            qPrintable(q.lastError().text()));
    }
}

} // namespace

class SearchIndexTest : public QObject
{
    Q_OBJECT

private slots:
    void sameLinesWithAndWithoutTheIndex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("indexed"); // SQLite asks its index: three characters in a row
        QTest::addColumn<int>("titles"); // found where both engines agree, else -1
        QTest::newRow("ASCII") << QStringLiteral("ove") << true << -1;
        QTest::newRow("mixed case") << QStringLiteral("LoVe") << true << -1;
        QTest::newRow("two letters") << QStringLiteral("lo") << false << -1;
        QTest::newRow("accented") << QStringLiteral("Café") << true << -1;
        QTest::newRow("accented capital") << QStringLiteral("CAFÉ") << true << 1;
        QTest::newRow("accented two") << QStringLiteral("Ça") << false << 0;
        QTest::newRow("CJK one") << QStringLiteral("本") << false << 3;
        QTest::newRow("CJK two") << QStringLiteral("日本") << false << 2;
        QTest::newRow("CJK three") << QStringLiteral("日本語") << true << 1;
        QTest::newRow("CJK two around a wildcard") << QStringLiteral("日本_の") << false << 1;
        QTest::newRow("percent") << QStringLiteral("%") << false << 15;
        QTest::newRow("percent between runs") << QStringLiteral("Lov%nder") << true << -1;
        QTest::newRow("underscore") << QStringLiteral("_") << false << 14;
        QTest::newRow("underscore between runs") << QStringLiteral("Glo_e b") << true << 1;
        QTest::newRow("apostrophe in a word") << QStringLiteral("O'Brien") << true << 1;
        QTest::newRow("double quotes in a word") << QStringLiteral("\"Quoted\" S") << true << 1;
        QTest::newRow("emoji and letters") << QStringLiteral("😀 sm") << true << 1;
        QTest::newRow("no match") << QStringLiteral("zzz") << true << 0;
        QTest::newRow("empty") << QString() << false << 15;
        QTest::newRow("NUL") << QStringLiteral("box") + QChar(0) + QStringLiteral("zzz") << true << -1;
    }

    void sameLinesWithAndWithoutTheIndex()
    {
        QFETCH(QString, text);
        QFETCH(bool, indexed);
        QFETCH(int, titles);
        TempApp app;
        seed(app);
        QList<QStringList> served;
        {
            songdb::SongConnection c;
            for (const songdb::Column column : {TitleSID, ArtistID}) {
                const auto query = c.findQuery(songdb::ColumnNames[column], text);
                QVERIFY(query.ok());
                QCOMPARE(query.value.readsCandidatesFirst(), indexed && !TempApp::onPostgres());
                songdb::TitleLines lines;
                const platform::Failure f = query.value.run(&lines);
                QVERIFY2(!f.isSet(), qPrintable(f.description));
                served << listed(lines);
            }
        }
        if (titles >= 0)
            QCOMPARE(served.first().size(), titles);
        app.dropSearchIndexes();
        songdb::SongConnection c;
        QVERIFY(c.searchIndexes().none());
        for (const songdb::Column column : {TitleSID, ArtistID}) {
            const auto scanned = c.find(songdb::ColumnNames[column], text);
            QVERIFY2(scanned.ok(), qPrintable(scanned.failure.description));
            QCOMPARE(served.takeFirst(), listed(scanned.value));
        }
    }

    void anIndexThatCannotBeTrustedIsLeftAlone_data()
    {
        QTest::addColumn<QStringList>("sqlite"); // statements that change the catalogue
        QTest::addColumn<QStringList>("postgres");
        QTest::addColumn<bool>("title"); // served afterwards
        QTest::addColumn<bool>("artist");

        // The title's FTS5 table made again with these options, filled.
        const auto titleTable = [](const char *options) {
            return QStringList {"drop table table1_TitleSID_search",
                QStringLiteral("create virtual table table1_TitleSID_search using fts5(TitleSID, content='table1', "
                               "content_rowid='ID'%1)")
                    .arg(QLatin1String(options)),
                "insert into table1_TitleSID_search (table1_TitleSID_search) values ('rebuild')"};
        };
        const QString dropTitles = QStringLiteral("drop index table1_TitleSID_trgm");
        QTest::newRow("as made") << QStringList() << QStringList() << true << true;
        QTest::newRow("no insert trigger")
            << QStringList {"drop trigger table1_search_insert"}
            << QStringList {dropTitles, "drop index table1_ArtistID_trgm"} << false << false;
        QTest::newRow("an index that tells letter case apart")
            << titleTable(", tokenize='trigram case_sensitive 1', detail=none")
            << QStringList {dropTitles,
                   "create index table1_TitleSID_some on table1 using gin (TitleSID gin_trgm_ops) where DiskID = 'CD9'"}
            << false << true;
        QTest::newRow("an index of words")
            << titleTable("") << QStringList {dropTitles, "create index table1_TitleSID_plain on table1 (TitleSID)"}
            << false << true;
        // Written into the title's index only when the artist changes.
        const QString onArtists = QStringLiteral(
            "create trigger table1_search_update after update of ArtistID on table1 begin insert into "
            "table1_TitleSID_search (table1_TitleSID_search, rowid, TitleSID) values ('delete', old.ID, old.TitleSID); "
            "insert into table1_TitleSID_search (rowid, TitleSID) values (new.ID, new.TitleSID); end");
        QTest::newRow("title changes not indexed")
            << QStringList {"drop trigger table1_search_update", onArtists}
            << QStringList {dropTitles, "drop index table1_ArtistID_trgm"} << false << false;
    }

    // Whichever index serves, the program's writes are found afterwards, and
    // an index that serves stays whole through them.
    void anIndexThatCannotBeTrustedIsLeftAlone()
    {
        QFETCH(QStringList, sqlite);
        QFETCH(QStringList, postgres);
        QFETCH(bool, title);
        QFETCH(bool, artist);
        TempApp app;
        const QList<qint32> keys = seed(app);
        for (const QString &statement : TempApp::onPostgres() ? postgres : sqlite)
            app.exec(statement);
        songdb::SongConnection c;
        QCOMPARE(c.searchIndexes().test(TitleSID), title);
        QCOMPARE(c.searchIndexes().test(ArtistID), artist);

        listmaker::CurrentList list;
        list.FileCount = 1;
        list.DiskLabel = QStringLiteral("CD2");
        list.Titles[0] = QStringLiteral("hidden love");
        list.ArtistText = QStringLiteral("hidden artist");
        QVERIFY(c.appendList(list).ok());
        // A title and artist replaced, and given to the record that had none.
        for (const qint32 key : {keys.first(), keys.last()})
            QVERIFY(!c.updateRecord(key, QStringLiteral("Loved again"), {}, QStringLiteral("Hedge"), {}).isSet());
        const auto found = [&](const char *column, const char *text) {
            return listed(c.find(QLatin1String(column), QString::fromUtf8(text)).value, false);
        };
        QCOMPARE(found("TitleSID", "hidden"), QStringList {QStringLiteral("hidden love")});
        QCOMPARE(found("ArtistID", "idden artis"), QStringList {QStringLiteral("hidden love")});
        QCOMPARE(found("TitleSID", "ved again"), QStringList(2, QStringLiteral("Loved again")));
        QCOMPARE(found("ArtistID", "edg"), QStringList(2, QStringLiteral("Loved again")));
        if (!title || !artist)
            return;
        checkIndexIntegrity(app);
        QCOMPARE(c.deleteDisk(QStringLiteral("CD2")).value, 1);
        QCOMPARE(c.deleteAll().value, int(Songs.size()));
        checkIndexIntegrity(app);
    }

    // A text of very many records is found by reading the table; one of
    // thousands through the index, its records read in parts.
    void textsOfManyRecords()
    {
        TempApp app;
        const int records = 50010;
        app.exec(QStringLiteral("insert into table1 (DiskID, TitleSID) with recursive n(i) as (select 0 union all "
                                "select i + 1 from n where i < %1) select 'CD', 'Song number ' || i from n")
                     .arg(records - 1));
        songdb::SongConnection c;
        const auto all = c.find(QStringLiteral("TitleSID"), QStringLiteral("Song"));
        QCOMPARE(all.value.size(), records);
        QCOMPARE(all.value.text(records - 1), QStringLiteral("Song number %1").arg(records - 1));
        // 1, 10-19, 100-199, 1000-1999 and 10000-19999.
        const auto some = c.find(QStringLiteral("TitleSID"), QStringLiteral("number 1"));
        QCOMPARE(some.value.size(), 11111);
        QCOMPARE(some.value.text(0), QStringLiteral("Song number 1"));
        QCOMPARE(some.value.text(11110), QStringLiteral("Song number 19999"));
        // While it reads it shows lines of the result alone, never fewer than before.
        const auto query = c.findQuery(QStringLiteral("TitleSID"), QStringLiteral("number 1"));
        songdb::ReadWatch watch;
        QList<int> shown {0};
        bool onlyLines = true;
        watch.onBlock = [&](const songdb::TitleLines &soFar) {
            onlyLines = onlyLines && soFar.size() >= shown.last()
                && (soFar.isEmpty() || soFar.text(soFar.size() - 1).contains(QLatin1String("number 1")));
            shown << soFar.size();
        };
        songdb::TitleLines lines;
        QVERIFY(!query.value.run(&lines, &watch).isSet());
        QVERIFY(onlyLines);
        QCOMPARE(shown.last(), 11111);
    }

    // The index is asked for each trigram of the text once, a character
    // beyond U+FFFF counted as one, quotes doubled.
    void trigramQuery()
    {
        using songdb::searchindex::trigramQuery;
        QCOMPARE(trigramQuery(u"%abcabc%"), QStringLiteral("\"abc\" AND \"bca\" AND \"cab\""));
        QCOMPARE(trigramQuery(u"%😀ab%"), QStringLiteral("\"😀ab\""));
        QCOMPARE(trigramQuery(u"%a\"bc%"), QStringLiteral("\"a\"\"b\" AND \"\"\"bc\""));
    }

    // Index definitions as pg_get_indexdef gives them: the operator class may
    // carry its schema; GiST is no index for this.
    void postgresIndexes()
    {
        using songdb::searchindex::postgresIndexes;
        QCOMPARE(postgresIndexes(
                     {QStringLiteral("CREATE INDEX x ON public.table1 USING gin (artistid public.gin_trgm_ops)")})
                     .to_ulong(),
            1ul << ArtistID);
        QVERIFY(postgresIndexes({QStringLiteral("CREATE INDEX x ON public.table1 USING gist (titlesid gist_trgm_ops)")})
                    .none());
    }

    // A statement under way stops when told from another thread, and the
    // connection serves the next read.
    void aReadStopsWhenToldFromAnotherThread()
    {
        TempApp app;
        app.addRecord({QStringLiteral("CD1")});
        songdb::SongConnection c;
        // A statement that runs for many minutes, then gives one line.
        const QString statement = TempApp::onPostgres()
            ? QStringLiteral("select 0, '' from pg_sleep(600)")
            : QStringLiteral("select count(*), '' from (with recursive n(i) as (select 1 union all select i + 1 "
                             "from n) select i from n limit 4000000000)");
        songdb::ReadWatch watch;
        songdb::TitleLines lines;
        platform::Failure failure;
        const songdb::LinesQuery endless(
            QSqlDatabase::database(c.connectionName(), false).driver()->handle().value<void *>(), statement);
        std::unique_ptr<QThread> reader(QThread::create([&] { failure = endless.run(&lines, &watch); }));
        reader->start();
        QTRY_VERIFY(watch.reading());
        QVERIFY(watch.stop(60000));
        QVERIFY(reader->wait(60000));
        QCOMPARE(failure.number, platform::err::Interrupted);
        QCOMPARE(lines.size(), 0);
        QCOMPARE(c.countRecords().value, 1);
    }
};

QTEST_GUILESS_MAIN(SearchIndexTest)
#include "searchindex_test.moc"
