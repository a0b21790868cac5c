#include "support/tempapp.h"

#include "songdb/odbcdirect.h"
#include "songdb/songconnection.h"
#include "songdb/sqlitetext.h"
#include "songdb/sqltexts.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <algorithm>
#include <langinfo.h>

using songdb::LinesQuery;
using songdb::ParameterForm;

// Whatever a search text holds, in whatever locale, the search finds what
// the same query with the text bound finds, through the real driver, and
// the text never changes the statement. The test runs in a UTF-8 locale and
// again in the C locale (see tests/CMakeLists.txt).
namespace {

// The titles of the records, in key order.
const QStringList Titles = {
    QStringLiteral("Grinning 😀 face.mp3"),
    QStringLiteral("Чайка.mp3"),
    QStringLiteral("مرحبا بالعالم.mp3"),
    QStringLiteral("東京の夜 丧.mp3"),
    QStringLiteral("Café del Mar.mp3"),
    QStringLiteral("O'Brien's song.mp3"),
    QStringLiteral("C:\\music\\track.mp3"),
    QStringLiteral("{fn UCASE('x')} {d '2026-01-01'}.mp3"),
    QStringLiteral("100% pure.mp3"),
    QStringLiteral("a_b test.mp3"),
    QStringLiteral("ħ and ا.mp3"),
    QStringLiteral("nothing special.mp3"),
};

// For texts that the engines' own LIKE rules read differently (PostgreSQL
// takes a backslash as its escape character): compared with the bound
// query only.
const QList<int> EnginesDiffer = {-1};

QList<int> all()
{
    QList<int> rows;
    for (int i = 0; i < Titles.size(); ++i)
        rows << i;
    return rows;
}

// U+0127, U+0427, U+0627, U+0E27 and U+4E27 all have 0x27, a quote, as their
// low byte, which is what a failed conversion of the statement keeps of
// them; U+1F601 keeps '=' and 0x01 (U+1F600 would keep a NUL, which ends
// the statement), a lone surrogate D801 keeps 0x01.
const QString BeyondBmp = QStringLiteral("\U0001F601");

QString withUnit(char16_t unit, const QString &rest)
{
    return QString(QChar(unit)) + rest;
}

// The statement of a search for the text in TitleSID.
QString findStatement()
{
    return songdb::sql::FindPrefix + QStringLiteral("TitleSID") + songdb::sql::FindPattern;
}

} // namespace

class SearchTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Which locale this run is in shows in the log.
        qInfo("character set: %s", nl_langinfo(CODESET));
    }

    void init()
    {
        m_app = std::make_unique<TempApp>();
        // One transaction: a commit per row would wait for the disk each time.
        QVERIFY(m_app->direct().transaction());
        for (const QString &title : Titles)
            m_keys << m_app->addRecord({QStringLiteral("CD1"), QStringLiteral("/music"), title});
        QVERIFY(m_app->direct().commit());
        m_before = snapshot();
        QCOMPARE(m_before.size(), Titles.size());
        // The reference runs on a connection of its own to the same data source.
        m_reference = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("bound-reference"));
        m_reference.setDatabaseName(songdb::DefaultConnectString);
        QVERIFY2(m_reference.open(), qPrintable(m_reference.lastError().text()));
    }

    void cleanup()
    {
        m_reference.close();
        m_reference = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bound-reference"));
        m_keys.clear();
        m_app.reset();
    }

    void searchFindsWhatTheBoundTextFinds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("found"); // indexes into Titles

        QTest::newRow("emoji") << QStringLiteral("😀") << QList<int>{0};
        QTest::newRow("emoji and more") << QStringLiteral("😀 face") << QList<int>{0};
        QTest::newRow("Cyrillic") << QStringLiteral("Чайка") << QList<int>{1};
        QTest::newRow("U+0427 alone") << QStringLiteral("Ч") << QList<int>{1};
        QTest::newRow("Arabic") << QStringLiteral("مرحبا") << QList<int>{2};
        QTest::newRow("U+0627 alone") << QStringLiteral("ا") << QList<int>{2, 10};
        QTest::newRow("CJK") << QStringLiteral("東京") << QList<int>{3};
        QTest::newRow("U+4E27") << QStringLiteral("丧") << QList<int>{3};
        QTest::newRow("U+0127") << QStringLiteral("ħ") << QList<int>{10};
        QTest::newRow("accented") << QStringLiteral("Café") << QList<int>{4};
        QTest::newRow("quote") << QStringLiteral("O'Brien") << QList<int>{5};
        QTest::newRow("quote alone") << QStringLiteral("'") << QList<int>{5, 7};
        QTest::newRow("double quote") << QStringLiteral("\"") << QList<int>{};
        QTest::newRow("backslashes") << QStringLiteral("\\music\\") << EnginesDiffer;
        QTest::newRow("backslash alone") << QStringLiteral("\\") << EnginesDiffer;
        QTest::newRow("function escape") << QStringLiteral("{fn UCASE(") << QList<int>{7};
        QTest::newRow("date escape") << QStringLiteral("{d '2026") << QList<int>{7};
        QTest::newRow("escape that is no title") << QStringLiteral("{fn LCASE('X')}") << QList<int>{};
        QTest::newRow("percent keeps its meaning") << QStringLiteral("%") << all();
        QTest::newRow("underscore keeps its meaning") << QStringLiteral("C_f") << QList<int>{4};
        QTest::newRow("underscore in a title") << QStringLiteral("a_b") << QList<int>{9};
        QTest::newRow("empty") << QStringLiteral("") << all();
        QTest::newRow("statement end") << QStringLiteral("'; delete from table1; --") << QList<int>{};
        QTest::newRow("NUL") << QStringLiteral("Caf") + QChar(0) + QStringLiteral("é del") << EnginesDiffer;
        QTest::newRow("NUL first") << QString(QChar(0)) + QStringLiteral("x") << EnginesDiffer;
        // Texts made to leave the quotes of a literal once the statement is
        // converted byte by byte after a character beyond U+FFFF.
        QTest::newRow("every record after U+1F601")
            << BeyondBmp + QStringLiteral("Ч OR 1=1 OR TitleSID LIKE Ч") << QList<int>{};
        QTest::newRow("the schema after U+1F601")
            << BeyondBmp + QStringLiteral("Ч UNION SELECT 0, sql FROM sqlite_master --") << QList<int>{};
        QTest::newRow("a library after U+1F601")
            << BeyondBmp + QStringLiteral("Ч UNION SELECT 0, load_extension(Ч/tmp/x.soЧ) --") << QList<int>{};
        QTest::newRow("every record after U+0E27")
            << BeyondBmp + QStringLiteral("\u0E27 OR 1=1 OR TitleSID LIKE \u0E27") << QList<int>{};
        QTest::newRow("every record after a lone surrogate")
            << withUnit(0xD801, QStringLiteral("Ч OR 1=1 OR TitleSID LIKE Ч")) << EnginesDiffer;
        QTest::newRow("lone high surrogate") << withUnit(0xD83D, QString()) << EnginesDiffer;
        QTest::newRow("low surrogate before high")
            << withUnit(0xDE00, QString(QChar(0xD83D))) << EnginesDiffer;
        QTest::newRow("long text beyond U+FFFF") << BeyondBmp.repeated(300) << QList<int>{};
    }

    void searchFindsWhatTheBoundTextFinds()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, found);
        songdb::SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        const auto searched = c.find(QStringLiteral("TitleSID"), text);

        songdb::TitleLines bound;
        const platform::Failure boundFailure = LinesQuery(referenceHandle(), findStatement(),
            QLatin1Char('%') + text + QLatin1Char('%'), true, ParameterForm::Bound)
                                                   .run(&bound);
        QCOMPARE(searched.ok(), !boundFailure.isSet());
        QCOMPARE(keys(searched.value), keys(bound));
        QCOMPARE(titles(searched.value), titles(bound));
        if (found != EnginesDiffer) {
            QVERIFY2(searched.ok(), qPrintable(searched.failure.description));
            QList<qint32> expected;
            for (const int i : found)
                expected << m_keys.at(i);
            QCOMPARE(keys(searched.value), expected);
        }
        QCOMPARE(snapshot(), m_before);
    }

    // What the program sends on SQLite in place of a bound text is, as the
    // driver reads it, the very value binding gives.
    void theValueInTheStatementEqualsTheBoundValue_data() { searchFindsWhatTheBoundTextFinds_data(); }
    void theValueInTheStatementEqualsTheBoundValue()
    {
        QFETCH(QString, text);
        if (TempApp::onPostgres())
            QSKIP("On PostgreSQL every value is bound.");
        const QString statement = QStringLiteral("Select 0, hex(?)");
        songdb::TitleLines sent;
        songdb::TitleLines bound;
        QVERIFY(!LinesQuery(referenceHandle(), statement, text).run(&sent).isSet());
        QVERIFY(!LinesQuery(referenceHandle(), statement, text, false, ParameterForm::Bound).run(&bound).isSet());
        QCOMPARE(sent.text(0), bound.text(0));
        QCOMPARE(sent.text(0), QString::fromLatin1(songdb::sqlitetext::boundBytes(text).toHex().toUpper()));
        const QString expression = songdb::sqlitetext::expression(text);
        QVERIFY(std::all_of(expression.begin(), expression.end(), [](QChar ch) { return ch.unicode() < 0x80; }));
    }

    // Edited values travel bound as well: stored and read back unchanged.
    void anEditedRecordKeepsTheText_data() { searchFindsWhatTheBoundTextFinds_data(); }
    void anEditedRecordKeepsTheText()
    {
        QFETCH(QString, text);
        if (text.contains(QChar(0)) || !text.isValidUtf16())
            QSKIP("Neither engine stores a NUL or a lone surrogate as it is.");
        songdb::SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        const platform::Failure f = c.updateRecord(m_keys.at(4), text, text, text, text);
        QVERIFY2(!f.isSet(), qPrintable(f.description));
        const auto record = c.recordByKey(m_keys.at(4));
        QVERIFY(record.ok() && record.value);
        for (const songdb::Column column : {songdb::TitleSID, songdb::OccasionID, songdb::ArtistID, songdb::StatusID})
            QCOMPARE((*record.value)[column], text);
        QCOMPARE(snapshot().size(), Titles.size());
    }

    void aStatementNeedsExactlyOneParameter_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("sent");
        QTest::newRow("one") << QStringLiteral("Select 1 where x = ?")
                             << QStringLiteral("Select 1 where x = CAST(X'C3A927' AS TEXT)");
        QTest::newRow("none") << QStringLiteral("Select 1") << QString();
        QTest::newRow("two") << QStringLiteral("Select ? where x = ?") << QString();
    }
    void aStatementNeedsExactlyOneParameter()
    {
        QFETCH(QString, statement);
        QFETCH(QString, sent);
        QCOMPARE(songdb::sqlitetext::withValue(statement, QStringLiteral("é'")), sent);
    }

private:
    void *referenceHandle() const
    {
        const QVariant handle = m_reference.driver()->handle();
        return *static_cast<void *const *>(handle.constData());
    }

    static QList<qint32> keys(const songdb::TitleLines &lines)
    {
        QList<qint32> out;
        for (int i = 0; i < lines.size(); ++i)
            out << lines.id(i);
        return out;
    }
    static QStringList titles(const songdb::TitleLines &lines)
    {
        QStringList out;
        for (int i = 0; i < lines.size(); ++i)
            out << lines.text(i);
        return out;
    }

    // Every row of the table, every field, read another way.
    QStringList snapshot()
    {
        QStringList rows;
        QSqlQuery q(m_app->direct());
        if (!q.exec(QStringLiteral("select * from table1 order by ID")))
            return {q.lastError().text()};
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < q.record().count(); ++i)
                fields << (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString());
            rows << fields.join(QLatin1Char('|'));
        }
        return rows;
    }

    std::unique_ptr<TempApp> m_app;
    QList<qint32> m_keys;
    QStringList m_before;
    QSqlDatabase m_reference;
};

QTEST_GUILESS_MAIN(SearchTextTest)
#include "searchtext_test.moc"
