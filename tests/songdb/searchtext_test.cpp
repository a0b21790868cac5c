// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "songdb/odbcdirect.h"
#include "songdb/songconnection.h"
#include "songdb/sqltexts.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QTest>

using songdb::LinesQuery;
using songdb::ParameterForm;

// Whatever a search text holds, in whatever locale, the search finds what
// the same query with the text bound finds, through the real driver, and
// the text never changes the statement. The test runs in a UTF-8 locale and
// again in the C locale (see tests/CMakeLists.txt).
namespace {

// The titles of the records, in key order.
const QStringList Titles = {QStringLiteral("Grinning 😀 face.mp3"), QStringLiteral("Чайка.mp3"),
    QStringLiteral("مرحبا بالعالم.mp3"), QStringLiteral("東京の夜 丧.mp3"), QStringLiteral("Café del Mar.mp3"),
    QStringLiteral("O'Brien's song.mp3"), QStringLiteral("C:\\music\\track.mp3"),
    QStringLiteral("{fn UCASE('x')} {d '2026-01-01'}.mp3"), QStringLiteral("100% pure.mp3"),
    QStringLiteral("a_b test.mp3"), QStringLiteral("ħ and ا.mp3"), QStringLiteral("nothing special.mp3")};

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

// A failed conversion of the statement keeps the low byte of each unit: of
// U+1F601 '=' and 0x01 (U+1F600 would keep a NUL, which ends the statement),
// of a lone surrogate D801 0x01.
const QString BeyondBmp = QStringLiteral("\U0001F601");

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
    void init()
    {
        m_app = std::make_unique<TempApp>();
        // One transaction: a commit per row would wait for the disk each time.
        QVERIFY(m_app->direct().transaction());
        for (const QString &title : Titles)
            m_keys << m_app->addRecord({QStringLiteral("CD1"), QStringLiteral("/music"), title});
        QVERIFY(m_app->direct().commit());
        m_before = m_app->records();
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

        // U+0427, U+0627, U+4E27 and U+0127 become a bare quote when converted byte by byte.
        QTest::newRow("emoji") << QStringLiteral("😀") << QList<int> {0};
        QTest::newRow("Cyrillic") << QStringLiteral("Чайка") << QList<int> {1};
        QTest::newRow("Arabic") << QStringLiteral("ا") << QList<int> {2, 10};
        QTest::newRow("CJK") << QStringLiteral("丧") << QList<int> {3};
        QTest::newRow("U+0127") << QStringLiteral("ħ") << QList<int> {10};
        QTest::newRow("accented") << QStringLiteral("Café") << QList<int> {4};
        QTest::newRow("quote") << QStringLiteral("'") << QList<int> {5, 7};
        QTest::newRow("double quote") << QStringLiteral("\"") << QList<int> {};
        QTest::newRow("backslashes") << QStringLiteral("\\music\\") << EnginesDiffer;
        QTest::newRow("function escape") << QStringLiteral("{fn UCASE(") << QList<int> {7};
        QTest::newRow("date escape") << QStringLiteral("{d '2026") << QList<int> {7};
        QTest::newRow("percent keeps its meaning") << QStringLiteral("%") << all();
        QTest::newRow("underscore keeps its meaning") << QStringLiteral("C_f") << QList<int> {4};
        QTest::newRow("empty") << QStringLiteral("") << all();
        QTest::newRow("statement end") << QStringLiteral("'; delete from table1; --") << QList<int> {};
        QTest::newRow("NUL") << QStringLiteral("Caf") + QChar(0) + QStringLiteral("é del") << EnginesDiffer;
        // Texts made to leave the quotes of a literal once the statement is
        // converted byte by byte after a character beyond U+FFFF.
        QTest::newRow("every record after U+1F601")
            << BeyondBmp + QStringLiteral("Ч OR 1=1 OR TitleSID LIKE Ч") << QList<int> {};
        QTest::newRow("the schema after U+1F601")
            << BeyondBmp + QStringLiteral("Ч UNION SELECT 0, sql FROM sqlite_master --") << QList<int> {};
        QTest::newRow("a library after U+1F601")
            << BeyondBmp + QStringLiteral("Ч UNION SELECT 0, load_extension(Ч/tmp/x.soЧ) --") << QList<int> {};
        QTest::newRow("every record after a lone surrogate")
            << QString(QChar(0xD801)) + QStringLiteral("Ч OR 1=1 OR TitleSID LIKE Ч") << EnginesDiffer;
        QTest::newRow("long text beyond U+FFFF") << BeyondBmp.repeated(300) << QList<int> {};
    }

    // The same text, edited into a record, is stored and read back unchanged.
    void searchFindsWhatTheBoundTextFinds()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, found);
        songdb::SongConnection c;
        QVERIFY2(c.isOpen(), qPrintable(c.openFailure().description));
        const auto searched = c.find(QStringLiteral("TitleSID"), text);
        songdb::TitleLines bound;
        const platform::Failure boundFailure = LinesQuery(
            referenceHandle(), findStatement(), QLatin1Char('%') + text + QLatin1Char('%'), true, ParameterForm::Bound)
                                                   .run(&bound);
        QCOMPARE(searched.ok(), !boundFailure.isSet());
        QCOMPARE(lines(searched.value), lines(bound));
        if (found != EnginesDiffer) {
            QVERIFY2(searched.ok(), qPrintable(searched.failure.description));
            QStringList expected;
            for (const int i : found)
                expected << QString::number(m_keys.at(i)) + QLatin1Char(' ') + Titles.at(i);
            QCOMPARE(lines(searched.value), expected);
        }
        QCOMPARE(m_app->records(), m_before);

        if (text.contains(QChar(0)) || !text.isValidUtf16())
            return; // neither engine stores a NUL or a lone surrogate as it is
        const platform::Failure f = c.updateRecord(m_keys.at(4), text, text, text, text);
        QVERIFY2(!f.isSet(), qPrintable(f.description));
        const auto record = c.recordByKey(m_keys.at(4));
        QVERIFY(record.ok() && record.value);
        for (const songdb::Column column : {songdb::TitleSID, songdb::OccasionID, songdb::ArtistID, songdb::StatusID})
            QCOMPARE((*record.value)[column], text);
        QCOMPARE(m_app->records().size(), Titles.size());
    }

private:
    void *referenceHandle() const
    {
        const QVariant handle = m_reference.driver()->handle();
        return *static_cast<void *const *>(handle.constData());
    }

    // "key title" for each line.
    static QStringList lines(const songdb::TitleLines &found)
    {
        QStringList out;
        for (int i = 0; i < found.size(); ++i)
            out << QString::number(found.id(i)) + QLatin1Char(' ') + found.text(i);
        return out;
    }

    std::unique_ptr<TempApp> m_app;
    QList<qint32> m_keys;
    QStringList m_before;
    QSqlDatabase m_reference;
};

QTEST_GUILESS_MAIN(SearchTextTest)
#include "searchtext_test.moc"
