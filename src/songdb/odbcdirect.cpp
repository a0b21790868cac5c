// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/odbcdirect.h"

#include "songdb/odbcstatement.h"
#include "songdb/readwatch.h"
#include "songdb/sqlitetext.h"
#include "songdb/sqltexts.h"

#include <QByteArray>

#include <algorithm>
#include <new>
#include <vector>

namespace songdb {

using platform::Failure;
namespace err = platform::err;
using namespace odbc;

namespace {

// Rows per block, and room for a text per row: four times the longest file
// name. A longer text sends the whole read down the row-by-row path, which
// takes texts of any length. SQLite's driver fills the rest of each room
// with zeros, so a larger room costs time on every row (a fifth of a
// million-row read at 4096 bytes).
constexpr SQLULEN BlockRows = 1000;
constexpr SQLLEN TextBytes = 1024;

// psqlODBC's own connection attributes: read the result through a server
// cursor some thousand rows at a time, instead of holding all of it in
// memory before the first row is handed over.
constexpr SQLINTEGER PgUseDeclareFetch = 65539;
constexpr SQLINTEGER PgFetchRows = 65541;
constexpr SQLINTEGER PgRowsPerFetch = 10000;

// Keys of candidates per statement: a few ten thousand characters.
constexpr int KeysPerStatement = 4000;

// psqlODBC's cursor reading for the length of one query; the connection's
// own settings come back afterwards.
class ServerCursor
{
public:
    explicit ServerCursor(SQLHDBC connection, bool wanted)
        : m_connection(connection)
    {
        if (!wanted)
            return;
        SQLINTEGER length = 0;
        if (!SQL_SUCCEEDED(SQLGetConnectAttr(connection, PgUseDeclareFetch, &m_declareFetch, 0, &length))
            || !SQL_SUCCEEDED(SQLGetConnectAttr(connection, PgFetchRows, &m_fetchRows, 0, &length)))
            return;
        m_set = SQL_SUCCEEDED(SQLSetConnectAttr(connection, PgUseDeclareFetch, reinterpret_cast<SQLPOINTER>(1), 0))
            && SQL_SUCCEEDED(
                SQLSetConnectAttr(connection, PgFetchRows, reinterpret_cast<SQLPOINTER>(SQLLEN(PgRowsPerFetch)), 0));
    }
    ~ServerCursor()
    {
        if (!m_set)
            return;
        SQLSetConnectAttr(m_connection, PgUseDeclareFetch, reinterpret_cast<SQLPOINTER>(SQLLEN(m_declareFetch)), 0);
        SQLSetConnectAttr(m_connection, PgFetchRows, reinterpret_cast<SQLPOINTER>(SQLLEN(m_fetchRows)), 0);
    }
    ServerCursor(const ServerCursor &) = delete;
    ServerCursor &operator=(const ServerCursor &) = delete;

private:
    SQLHDBC m_connection;
    SQLINTEGER m_declareFetch = 0;
    SQLINTEGER m_fetchRows = 0;
    bool m_set = false;
};

// The text of one fetched row; false when it did not fit its buffer.
bool takeText(TitleLines *lines, qint32 id, const char *buffer, SQLLEN indicator, bool wide)
{
    if (indicator == SQL_NULL_DATA) {
        lines->appendUtf8(id, nullptr, 0);
        return true;
    }
    const SQLLEN room = TextBytes - (wide ? SQLLEN(sizeof(SQLWCHAR)) : 1);
    if (indicator == SQL_NO_TOTAL || indicator < 0 || indicator > room)
        return false;
    if (wide) {
        lines->append(id, QStringView(reinterpret_cast<const char16_t *>(buffer), indicator / 2));
        return true;
    }
    // Stored bytes that are not UTF-8 are kept as they are shown.
    const bool ascii = std::all_of(buffer, buffer + indicator, [](char c) { return uchar(c) < 0x80; });
    if (ascii)
        lines->appendUtf8(id, buffer, indicator);
    else
        lines->append(id, QString::fromUtf8(buffer, indicator));
    return true;
}

// Rows one at a time, each text read in pieces: for texts of any length.
Failure readRowByRow(SQLHDBC connection, Driver driver, const QString &statement, const QString &parameter,
    TitleLines *lines, ReadWatch *watch, bool counted)
{
    lines->clear();
    const ServerCursor cursor(connection, driver == Driver::Postgres);
    Statement st(connection);
    if (st.handle() == SQL_NULL_HSTMT)
        return failure(SQL_HANDLE_DBC, connection);
    const WatchedStatement watched(watch, connection, st.handle(), driver == Driver::Sqlite);
    if (!watched.go())
        return ReadWatch::interruptedFailure();
    SQLLEN parameterLength = 0;
    if (!st.execute(statement, parameter, &parameterLength))
        return st.failure();
    for (;;) {
        const SQLRETURN r = SQLFetch(st.handle());
        if (r == SQL_NO_DATA)
            return {};
        if (!SQL_SUCCEEDED(r))
            return st.failure();
        SQLINTEGER id = 0;
        SQLLEN idIndicator = 0;
        if (!SQL_SUCCEEDED(SQLGetData(st.handle(), 1, SQL_C_SLONG, &id, 0, &idIndicator)))
            return st.failure();
        QString text;
        if (!readWholeText(st.handle(), 2, &text))
            return st.failure();
        lines->append(idIndicator == SQL_NULL_DATA ? 0 : qint32(id), text);
        if (watch) {
            if (counted)
                watch->addRows(1);
            if (watch->cancelled())
                return ReadWatch::interruptedFailure();
        }
    }
}

// What the rows of a statement are to the read it serves.
enum class Rows {
    Candidates, // keys to read the lines by: neither counted nor shown
    Lines,      // the lines of the result: counted, and shown block by block
    LinesPart,  // some of the lines: counted; the caller shows the lines as a whole
};

// The lines of one statement, read in blocks of rows; a parameter, when not
// null, is the value of its one '?', sent in the form given.
Failure readStatement(SQLHDBC connection, Driver driver, QString statement, QString parameter, ParameterForm form,
    TitleLines *lines, ReadWatch *watch, Rows rowsAre)
{
    const bool counted = rowsAre != Rows::Candidates;
    lines->clear();
    // SQLite's driver hands over the stored UTF-8 as it is; others convert
    // to the client's code page, so their texts are read as UTF-16.
    const bool wide = driver != Driver::Sqlite;
    if (driver == Driver::Sqlite && form == ParameterForm::Streamed && !parameter.isNull()) {
        statement = sqlitetext::withValue(statement, parameter);
        if (statement.isNull())
            return {err::InvalidArgument, QStringLiteral("The statement must hold exactly one parameter.")};
        parameter = QString();
    }
    bool truncated = false;
    int rowsCounted = 0;
    {
        const ServerCursor cursor(connection, driver == Driver::Postgres);
        Statement st(connection);
        if (st.handle() == SQL_NULL_HSTMT)
            return failure(SQL_HANDLE_DBC, connection);
        const WatchedStatement watched(watch, connection, st.handle(), driver == Driver::Sqlite);
        if (!watched.go())
            return ReadWatch::interruptedFailure();
        std::vector<SQLUSMALLINT> status(BlockRows);
        const SQLULEN blockRows = st.fetchInBlocks(BlockRows, status.data());

        SQLLEN parameterLength = 0;
        if (!st.execute(statement, parameter, &parameterLength))
            return st.failure();

        std::vector<SQLINTEGER> ids(blockRows);
        std::vector<SQLLEN> idIndicators(blockRows);
        std::vector<char> texts(std::size_t(blockRows) * std::size_t(TextBytes));
        std::vector<SQLLEN> textIndicators(blockRows);
        if (!SQL_SUCCEEDED(SQLBindCol(st.handle(), 1, SQL_C_SLONG, ids.data(), 0, idIndicators.data()))
            || !SQL_SUCCEEDED(SQLBindCol(
                st.handle(), 2, wide ? SQL_C_WCHAR : SQL_C_CHAR, texts.data(), TextBytes, textIndicators.data())))
            return st.failure();

        for (;;) {
            SQLULEN rows = 0;
            const SQLRETURN r = st.fetchBlock(&rows);
            if (r == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(r))
                return st.failure();
            for (SQLULEN i = 0; i < rows && !truncated; ++i) {
                if (status[i] == SQL_ROW_ERROR)
                    return st.failure();
                if (status[i] == SQL_ROW_NOROW)
                    continue;
                const qint32 id = idIndicators[i] == SQL_NULL_DATA ? 0 : qint32(ids[i]);
                truncated = !takeText(lines, id, texts.data() + i * std::size_t(TextBytes), textIndicators[i], wide);
            }
            if (truncated)
                break;
            if (watch) {
                if (counted) {
                    watch->addRows(int(rows));
                    rowsCounted += int(rows);
                }
                if (rowsAre == Rows::Lines && watch->onBlock)
                    watch->onBlock(*lines);
                if (watch->cancelled())
                    return ReadWatch::interruptedFailure();
            }
        }
    }
    if (truncated) {
        if (watch)
            watch->addRows(-rowsCounted);
        return readRowByRow(connection, driver, statement, parameter, lines, watch, counted);
    }
    return {};
}

} // namespace

LinesQuery::LinesQuery(
    void *connectionHandle, QString statement, QString parameter, bool inKeyOrder, ParameterForm form)
    : m_connection(connectionHandle)
    , m_statement(std::move(statement))
    , m_parameter(std::move(parameter))
    , m_inKeyOrder(inKeyOrder)
    , m_form(form)
{
}

Failure LinesQuery::run(TitleLines *lines, ReadWatch *watch) const
{
    try {
        const Failure f = read(lines, watch);
        // A failure after the read was told to stop is the stop's doing, whatever the driver calls it.
        if (f.isSet() && watch && watch->cancelled())
            return ReadWatch::interruptedFailure();
        return f;
    } catch (const std::bad_alloc &) {
        lines->clear();
        return {OutOfMemory, QStringLiteral("Out of memory")};
    }
}

Failure LinesQuery::read(TitleLines *lines, ReadWatch *watch) const
{
    lines->clear();
    if (!m_connection)
        return {err::ConnectionClosed, QStringLiteral("The connection to the data source is closed.")};
    if (readsCandidatesFirst()) {
        bool used = false;
        const Failure f = readCandidates(lines, watch, &used);
        if (f.isSet())
            lines->clear();
        if (f.isSet() || used)
            return f;
    }
    const Failure f
        = readStatement(m_connection, driverOf(m_connection), m_statement, m_parameter, m_form, lines, watch, Rows::Lines);
    if (f.isSet()) {
        lines->clear();
        return f;
    }
    if (m_inKeyOrder)
        lines->sortByKey();
    return {};
}

Failure LinesQuery::readCandidates(TitleLines *lines, ReadWatch *watch, bool *used) const
{
    *used = false;
    const Driver driver = driverOf(m_connection);
    std::vector<qint32> keys;
    {
        TitleLines candidates;
        if (const Failure f = readStatement(m_connection, driver, m_candidates.probe, m_candidates.probeValue, m_form,
                &candidates, watch, Rows::Candidates);
            f.isSet())
            return f;
        if (candidates.size() > m_candidates.limit)
            return {};
        keys.reserve(std::size_t(candidates.size()));
        for (int i = 0; i < candidates.size(); ++i)
            keys.push_back(candidates.id(i));
    }
    *used = true;
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    TitleLines part;
    for (std::size_t first = 0; first < keys.size(); first += KeysPerStatement) {
        const std::size_t end = std::min(keys.size(), first + std::size_t(KeysPerStatement));
        const QString statement = m_candidates.keyedPrefix + sql::keyList(keys.data() + first, qsizetype(end - first))
            + m_candidates.keyedSuffix;
        if (const Failure f
            = readStatement(m_connection, driver, statement, m_parameter, m_form, &part, watch, Rows::LinesPart);
            f.isSet())
            return f;
        for (int i = 0; i < part.size(); ++i) {
            const QByteArrayView text = part.utf8(i);
            lines->appendUtf8(part.id(i), text.data(), text.size());
        }
        if (watch && watch->onBlock)
            watch->onBlock(*lines);
    }
    if (m_inKeyOrder)
        lines->sortByKey();
    return {};
}

RowsChange::RowsChange(void *connectionHandle, QString statement, QString parameter)
    : m_connection(connectionHandle)
    , m_statement(std::move(statement))
    , m_parameter(std::move(parameter))
{
}

Failure RowsChange::run(int *rows) const
{
    *rows = 0;
    if (!m_connection)
        return {err::ConnectionClosed, QStringLiteral("The connection to the data source is closed.")};
    SQLHDBC connection = m_connection;
    if (!SQL_SUCCEEDED(
            SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0)))
        return failure(SQL_HANDLE_DBC, connection);
    Failure f;
    SQLLEN changed = 0;
    {
        Statement st(connection);
        SQLLEN parameterLength = 0;
        if (st.handle() == SQL_NULL_HSTMT)
            f = failure(SQL_HANDLE_DBC, connection);
        else if (!st.execute(m_statement, m_parameter, &parameterLength)
            || !SQL_SUCCEEDED(SQLRowCount(st.handle(), &changed)))
            f = st.failure();
    }
    if (!f.isSet() && !SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, connection, SQL_COMMIT)))
        f = failure(SQL_HANDLE_DBC, connection);
    if (f.isSet())
        SQLEndTran(SQL_HANDLE_DBC, connection, SQL_ROLLBACK);
    SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    if (!f.isSet())
        *rows = int(qMax(SQLLEN(0), changed));
    return f;
}

} // namespace songdb
