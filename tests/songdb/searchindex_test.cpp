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

struct Song
{
    QString title;
    QString artist;
};

// Titles and artists of the records, in key order; the last has neither.
const QList<Song> Songs = {
    {QStringLiteral("Love Me Tender"), QStringLiteral("Elvis Presley")},
    {QStringLiteral("LOVE IS ALL"), QStringLiteral("The Love Affair")},
    {QStringLiteral("Glove box"), QStringLiteral("Hand & Glove")},
    {QStringLiteral("Café del Mar"), QStringLiteral("Energy 52")},
    {QStringLiteral("CAFÉ AU LAIT"), QStringLiteral("Mélanie")},
    {QStringLiteral("café crème"), QStringLiteral("Ça va")},
    {QStringLiteral("日本"), QStringLiteral("東京事変")},
    {QStringLiteral("日本語の歌"), QStringLiteral("日")},
    {QStringLiteral("本"), QStringLiteral("坂本龍一")},
    {QStringLiteral("100% pure"), QStringLiteral("Per_cent")},
    {QStringLiteral("a_b and ab"), QStringLiteral("A_B")},
    {QStringLiteral("O'Brien's song"), QStringLiteral("Sinéad O'Connor")},
    {QStringLiteral("The \"Quoted\" Song"), QStringLiteral("Q\"uote")},
    {QStringLiteral("😀 smile"), QStringLiteral("Emoji 😀😀")},
    {QStringLiteral(""), QStringLiteral("")},
    {QString(), QString()},
};

QList<qint32> keys(const songdb::TitleLines &lines)
{
    QList<qint32> out;
    for (int i = 0; i < lines.size(); ++i)
        out << lines.id(i);
    return out;
}

QStringList texts(const songdb::TitleLines &lines)
{
    QStringList out;
    for (int i = 0; i < lines.size(); ++i)
        out << lines.text(i);
    return out;
}

void seed(TempApp &app)
{
    QVERIFY(app.direct().transaction());
    for (const Song &song : Songs) {
        app.addRecord({QStringLiteral("CD1"), QStringLiteral("/music"), song.title, QStringLiteral("NA"),
            QStringLiteral("1"), QStringLiteral("d"), song.artist});
    }
    QVERIFY(app.direct().commit());
}

void dropSearchIndexes(TempApp &app)
{
    if (TempApp::onPostgres()) {
        app.exec(QStringLiteral("drop index table1_TitleSID_trgm"));
        app.exec(QStringLiteral("drop index table1_ArtistID_trgm"));
        return;
    }
    for (const char *trigger : {"table1_search_insert", "table1_search_delete", "table1_search_update"})
        app.exec(QStringLiteral("drop trigger ") + QLatin1String(trigger));
    app.exec(QStringLiteral("drop table table1_TitleSID_search"));
    app.exec(QStringLiteral("drop table table1_ArtistID_search"));
}

// The FTS5 index agrees with its table (SQLite checks it; a server keeps its own).
void checkIndexIntegrity(TempApp &app)
{
    if (TempApp::onPostgres())
        return;
    for (const char *table : {"table1_TitleSID_search", "table1_ArtistID_search"}) {
        QSqlQuery q(app.direct());
        QVERIFY2(q.exec(QStringLiteral("insert into %1 (%1) values ('integrity-check')").arg(QLatin1String(table))),
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
        // Titles found when both engines agree, else -1.
        QTest::addColumn<int>("titles");
        QTest::newRow("ASCII") << QStringLiteral("ove") << -1;
        QTest::newRow("mixed case") << QStringLiteral("LoVe") << -1;
        QTest::newRow("upper case") << QStringLiteral("LOVE") << -1;
        QTest::newRow("words") << QStringLiteral("love me tender") << -1;
        QTest::newRow("two letters") << QStringLiteral("lo") << -1;
        QTest::newRow("one letter") << QStringLiteral("o") << -1;
        QTest::newRow("accented") << QStringLiteral("Café") << -1;
        QTest::newRow("accented capital") << QStringLiteral("CAFÉ") << 1;
        QTest::newRow("accented small") << QStringLiteral("afé") << 2;
        QTest::newRow("accented letter") << QStringLiteral("é") << -1;
        QTest::newRow("accented two") << QStringLiteral("Ça") << 0;
        QTest::newRow("CJK one") << QStringLiteral("本") << 3;
        QTest::newRow("CJK two") << QStringLiteral("日本") << 2;
        QTest::newRow("CJK three") << QStringLiteral("日本語") << 1;
        QTest::newRow("CJK four") << QStringLiteral("本語の歌") << 1;
        QTest::newRow("CJK two around a wildcard") << QStringLiteral("日本_の") << 1;
        QTest::newRow("percent") << QStringLiteral("%") << 15;
        QTest::newRow("percent in the text") << QStringLiteral("0% p") << 1;
        QTest::newRow("percent between runs") << QStringLiteral("Lov%nder") << -1;
        QTest::newRow("short runs") << QStringLiteral("Lo%de") << -1;
        QTest::newRow("underscore") << QStringLiteral("_") << 14;
        QTest::newRow("underscore in the text") << QStringLiteral("a_b") << -1;
        QTest::newRow("underscore between runs") << QStringLiteral("Glo_e b") << 1;
        QTest::newRow("apostrophe") << QStringLiteral("'") << 1;
        QTest::newRow("apostrophe in a word") << QStringLiteral("O'Brien") << 1;
        QTest::newRow("double quote") << QStringLiteral("\"") << 1;
        QTest::newRow("double quotes in a word") << QStringLiteral("\"Quoted\" S") << 1;
        QTest::newRow("emoji") << QStringLiteral("😀") << 1;
        QTest::newRow("emoji and letters") << QStringLiteral("😀 sm") << 1;
        QTest::newRow("no match") << QStringLiteral("zzz") << 0;
        QTest::newRow("empty") << QString() << 15;
        QTest::newRow("NUL") << QStringLiteral("Glo") + QChar(0) + QStringLiteral("ve") << -1;
    }

    void sameLinesWithAndWithoutTheIndex()
    {
        QFETCH(QString, text);
        QFETCH(int, titles);
        TempApp app;
        seed(app);
        const QList<songdb::Column> columns = {TitleSID, ArtistID};
        QList<songdb::TitleLines> indexed;
        {
            songdb::SongConnection c;
            QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
            QVERIFY(c.searchIndexes().test(TitleSID));
            QVERIFY(c.searchIndexes().test(ArtistID));
            for (const songdb::Column column : columns) {
                const auto query = c.findQuery(songdb::ColumnNames[column], text);
                QVERIFY(query.ok());
                // SQLite's index is asked wherever the text has three characters in a row.
                const bool asked = !TempApp::onPostgres()
                    && !songdb::searchindex::trigramQuery(QString(QLatin1Char('%') + text + QLatin1Char('%'))).isNull();
                QCOMPARE(query.value.readsCandidatesFirst(), asked);
                songdb::TitleLines lines;
                const platform::Failure f = query.value.run(&lines);
                QVERIFY2(!f.isSet(), qPrintable(f.description));
                indexed << lines;
            }
        }
        dropSearchIndexes(app);
        songdb::SongConnection c;
        QVERIFY(c.searchIndexes().none());
        for (int i = 0; i < columns.size(); ++i) {
            const auto scanned = c.find(songdb::ColumnNames[columns[i]], text);
            QVERIFY2(scanned.ok(), qPrintable(scanned.failure.description));
            QCOMPARE(keys(indexed[i]), keys(scanned.value));
            QCOMPARE(texts(indexed[i]), texts(scanned.value));
        }
        if (titles >= 0)
            QCOMPARE(indexed[0].size(), titles);
    }

    void anIndexThatCannotBeTrustedIsLeftAlone_data()
    {
        QTest::addColumn<QStringList>("sqlite"); // statements that change the catalogue
        QTest::addColumn<QStringList>("postgres");
        QTest::addColumn<bool>("title"); // served afterwards
        QTest::addColumn<bool>("artist");

        QTest::newRow("as made") << QStringList() << QStringList() << true << true;
        QTest::newRow("no insert trigger") << QStringList {QStringLiteral("drop trigger table1_search_insert")}
                                           << QStringList {QStringLiteral("drop index table1_TitleSID_trgm"),
                                                  QStringLiteral("drop index table1_ArtistID_trgm")}
                                           << false << false;
        QTest::newRow("an index that tells letter case apart")
            << QStringList {QStringLiteral("drop table table1_TitleSID_search"),
                   QStringLiteral("create virtual table table1_TitleSID_search using fts5(TitleSID, content='table1', "
                                  "content_rowid='ID', tokenize='trigram case_sensitive 1', detail=none)"),
                   QStringLiteral("insert into table1_TitleSID_search (table1_TitleSID_search) values ('rebuild')")}
            << QStringList {QStringLiteral("drop index table1_TitleSID_trgm"),
                   QStringLiteral("create index table1_TitleSID_some on table1 using gin (TitleSID gin_trgm_ops) "
                                  "where DiskID = 'CD9'")}
            << false << true;
        QTest::newRow("an index of words")
            << QStringList {QStringLiteral("drop table table1_TitleSID_search"),
                   QStringLiteral("create virtual table table1_TitleSID_search using fts5(TitleSID, content='table1', "
                                  "content_rowid='ID')"),
                   QStringLiteral("insert into table1_TitleSID_search (table1_TitleSID_search) values ('rebuild')")}
            << QStringList {QStringLiteral("drop index table1_TitleSID_trgm"),
                   QStringLiteral("create index table1_TitleSID_plain on table1 (TitleSID)")}
            << false << true;
        QTest::newRow("changed titles not written into the index")
            << QStringList {QStringLiteral("drop trigger table1_search_update"),
                   QStringLiteral("create trigger table1_search_update after update of ArtistID on table1 begin "
                                  "insert into table1_ArtistID_search (table1_ArtistID_search, rowid, ArtistID) "
                                  "values ('delete', old.ID, old.ArtistID); insert into table1_ArtistID_search "
                                  "(rowid, ArtistID) values (new.ID, new.ArtistID); end")}
            << QStringList {QStringLiteral("drop index table1_TitleSID_trgm")} << false << true;
    }

    void anIndexThatCannotBeTrustedIsLeftAlone()
    {
        QFETCH(QStringList, sqlite);
        QFETCH(QStringList, postgres);
        QFETCH(bool, title);
        QFETCH(bool, artist);
        TempApp app;
        seed(app);
        for (const QString &statement : TempApp::onPostgres() ? postgres : sqlite)
            app.exec(statement);
        // Records that an index without its triggers would miss.
        const qint32 added = app.addRecord({QStringLiteral("CD2"), QStringLiteral("/"), QStringLiteral("hidden love"),
            QStringLiteral("NA"), QStringLiteral("1"), QStringLiteral("d"), QStringLiteral("hidden artist")});
        app.exec(QStringLiteral("update table1 set TitleSID = 'Loved again' where ID = %1").arg(added - 1));

        songdb::SongConnection c;
        QCOMPARE(c.searchIndexes().test(TitleSID), title);
        QCOMPARE(c.searchIndexes().test(ArtistID), artist);
        const auto hidden = c.find(QStringLiteral("TitleSID"), QStringLiteral("hidden"));
        QCOMPARE(keys(hidden.value), QList<qint32> {added});
        const auto again = c.find(QStringLiteral("TitleSID"), QStringLiteral("ved again"));
        QCOMPARE(keys(again.value), QList<qint32> {added - 1});
        const auto artists = c.find(QStringLiteral("ArtistID"), QStringLiteral("idden artis"));
        QCOMPARE(keys(artists.value), QList<qint32> {added});
    }

    void theProgramsWritesKeepTheIndexInStep()
    {
        TempApp app;
        songdb::SongConnection c;
        listmaker::CurrentList list;
        list.FileCount = 3;
        list.DiskLabel = QStringLiteral("BIRDS");
        list.ArtistText = QStringLiteral("Aviary");
        list.ExtensionText = QStringLiteral("mp3");
        list.TotalFilesText = QStringLiteral("3");
        const QStringList titles
            = {QStringLiteral("Sparrow.mp3"), QStringLiteral("Swallow.mp3"), QStringLiteral("Arrowhead.mp3")};
        for (int i = 0; i < 3; ++i) {
            list.Paths[i] = QStringLiteral("/birds");
            list.Titles[i] = titles[i];
            list.Sizes[i] = QStringLiteral("1");
            list.DateTimes[i] = QStringLiteral("d");
        }
        QVERIFY(c.appendList(list).ok());
        const auto find = [&](const QString &column, const QString &text) {
            const auto found = c.find(column, text);
            return found.ok() ? texts(found.value) : QStringList {found.failure.description};
        };
        QCOMPARE(find(QStringLiteral("TitleSID"), QStringLiteral("rrow")),
            QStringList({QStringLiteral("Sparrow.mp3"), QStringLiteral("Arrowhead.mp3")}));
        QCOMPARE(find(QStringLiteral("ArtistID"), QStringLiteral("viar")).size(), 3);

        const auto all = c.allTitles();
        QVERIFY(
            c.updateRecord(all.value.id(0), QStringLiteral("Wren.mp3"), QString(), QStringLiteral("Hedge"), QString())
                .isSet()
            == false);
        QCOMPARE(
            find(QStringLiteral("TitleSID"), QStringLiteral("rrow")), QStringList {QStringLiteral("Arrowhead.mp3")});
        QCOMPARE(find(QStringLiteral("TitleSID"), QStringLiteral("Wren")), QStringList {QStringLiteral("Wren.mp3")});
        QCOMPARE(find(QStringLiteral("ArtistID"), QStringLiteral("edg")), QStringList {QStringLiteral("Wren.mp3")});
        QCOMPARE(find(QStringLiteral("ArtistID"), QStringLiteral("viar")).size(), 2);
        checkIndexIntegrity(app);

        QCOMPARE(c.deleteDisk(QStringLiteral("BIRDS")).value, 3);
        QCOMPARE(find(QStringLiteral("TitleSID"), QStringLiteral("rrow")), QStringList());
        QVERIFY(c.appendList(list).ok());
        QCOMPARE(c.deleteAll().value, 3);
        QCOMPARE(find(QStringLiteral("TitleSID"), QStringLiteral("mp3")), QStringList());
        checkIndexIntegrity(app);
    }

    // A text that very many records hold is found by reading the table.
    void aTextOfManyRecordsIsFoundAsWell()
    {
        TempApp app;
        const int records = 50010;
        app.exec(TempApp::onPostgres()
                ? QStringLiteral("insert into table1 (DiskID, TitleSID) select 'CD', 'Song number ' || i "
                                 "from generate_series(0, %1) as i")
                      .arg(records - 1)
                : QStringLiteral("insert into table1 (DiskID, TitleSID) with recursive n(i) as (select 0 union all "
                                 "select i + 1 from n where i < %1) select 'CD', 'Song number ' || i from n")
                      .arg(records - 1));
        songdb::SongConnection c;
        const auto all = c.find(QStringLiteral("TitleSID"), QStringLiteral("Song"));
        QCOMPARE(all.value.size(), records);
        QCOMPARE(all.value.text(records - 1), QStringLiteral("Song number %1").arg(records - 1));
        const auto some = c.find(QStringLiteral("TitleSID"), QStringLiteral("number 4999"));
        QCOMPARE(some.value.size(), 11);
    }

    void trigramQuery_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("query");
        QTest::newRow("three") << QStringLiteral("%abc%") << QStringLiteral("\"abc\"");
        QTest::newRow("four") << QStringLiteral("%abcd%") << QStringLiteral("\"abc\" AND \"bcd\"");
        QTest::newRow("each once") << QStringLiteral("%abcabc%") << QStringLiteral("\"abc\" AND \"bca\" AND \"cab\"");
        QTest::newRow("two") << QStringLiteral("%ab%") << QString();
        QTest::newRow("only short runs") << QStringLiteral("%ab_cd%ef%") << QString();
        QTest::newRow("a long run among short ones") << QStringLiteral("%ab%cde_f%") << QStringLiteral("\"cde\"");
        QTest::newRow("two CJK characters") << QStringLiteral("%日本%") << QString();
        QTest::newRow("three CJK characters") << QStringLiteral("%日本語%") << QStringLiteral("\"日本語\"");
        QTest::newRow("a character beyond U+FFFF counts once") << QStringLiteral("%😀ab%") << QStringLiteral("\"😀ab\"");
        QTest::newRow("quotes doubled") << QStringLiteral("%a\"bc%") << QStringLiteral("\"a\"\"b\" AND \"\"\"bc\"");
        QTest::newRow("ends at a NUL") << QStringLiteral("%ab") + QChar(0) + QStringLiteral("cdef%") << QString();
        QTest::newRow("wildcards only") << QStringLiteral("%%") << QString();
    }

    void trigramQuery()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, query);
        QCOMPARE(songdb::searchindex::trigramQuery(pattern), query);
    }

    void postgresIndexes_data()
    {
        QTest::addColumn<QString>("definition");
        QTest::addColumn<int>("column"); // served, or -1
        QTest::newRow("GIN") << QStringLiteral(
            "CREATE INDEX table1_titlesid_trgm ON public.table1 USING gin (titlesid gin_trgm_ops)")
                             << int(TitleSID);
        QTest::newRow("GIN, schema named")
            << QStringLiteral("CREATE INDEX x ON public.table1 USING gin (artistid public.gin_trgm_ops)")
            << int(ArtistID);
        QTest::newRow("some rows") << QStringLiteral(
            "CREATE INDEX x ON public.table1 USING gin (titlesid gin_trgm_ops) WHERE (diskid = 'A'::text)")
                                   << -1;
        QTest::newRow("GiST") << QStringLiteral("CREATE INDEX x ON public.table1 USING gist (titlesid gist_trgm_ops)")
                              << -1;
        QTest::newRow("B-tree") << QStringLiteral("CREATE INDEX x ON public.table1 USING btree (titlesid)") << -1;
    }

    void postgresIndexes()
    {
        QFETCH(QString, definition);
        QFETCH(int, column);
        const songdb::searchindex::Columns served = songdb::searchindex::postgresIndexes({definition});
        QCOMPARE(served.count(), column < 0 ? 0u : 1u);
        if (column >= 0)
            QVERIFY(served.test(std::size_t(column)));
    }

    // A statement under way stops when told from another thread, and the
    // connection serves the next read.
    void aReadStopsWhenToldFromAnotherThread()
    {
        TempApp app;
        app.addRecord({QStringLiteral("CD1")});
        songdb::SongConnection c;
        const auto count = c.countQuery();
        QVERIFY(count.ok());
        // A statement that runs for many minutes, then gives one line.
        const QString statement = TempApp::onPostgres()
            ? QStringLiteral("select 0, '' from pg_sleep(600)")
            : QStringLiteral("select count(*), '' from (with recursive n(i) as (select 1 union all select i + 1 "
                             "from n) select i from n limit 4000000000)");
        songdb::ReadWatch watch;
        songdb::TitleLines lines;
        platform::Failure failure;
        const songdb::LinesQuery endless(handleOf(c), statement);
        std::unique_ptr<QThread> reader(QThread::create([&] { failure = endless.run(&lines, &watch); }));
        reader->start();
        QTRY_VERIFY(watch.reading());
        QVERIFY(watch.stop(60000));
        QVERIFY(reader->wait(60000));
        QCOMPARE(failure.number, platform::err::Interrupted);
        QCOMPARE(lines.size(), 0);
        QCOMPARE(c.countRecords().value, 1);
        songdb::TitleLines counted;
        QVERIFY(!count.value.run(&counted).isSet());
        QCOMPARE(counted.id(0), 1);
    }

private:
    static void *handleOf(songdb::SongConnection &c)
    {
        return QSqlDatabase::database(c.connectionName(), false).driver()->handle().value<void *>();
    }
};

QTEST_GUILESS_MAIN(SearchIndexTest)
#include "searchindex_test.moc"
