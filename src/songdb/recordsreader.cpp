// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/recordsreader.h"

#include "songdb/odbcstatement.h"
#include "songdb/sqltexts.h"

#include <algorithm>
#include <new>

namespace songdb {

using platform::Failure;
namespace err = platform::err;
using namespace odbc;

namespace {

// Rows per block and room for each text column's value. A longer value
// sends the read of that piece of the list down the row-by-row path.
constexpr SQLULEN RecordBlockRows = 256;
constexpr SQLLEN FieldBytes = 2048;
constexpr int TextColumns = ColumnCount - 1;

// Keys this close together are read as one range of keys: a range reads
// quickly on both engines, also with a few records of it not wanted.
bool closeTogether(const std::vector<qint32> &keys)
{
    return qint64(keys.back()) - qint64(keys.front()) < 2 * qint64(keys.size());
}

QString recordsStatement(const std::vector<qint32> &keys)
{
    if (closeTogether(keys)) {
        return sql::RecordsFrom + QString::number(keys.front()) + sql::RecordsTo + QString::number(keys.back())
            + sql::RecordsInOrder;
    }
    return sql::RecordsOf + sql::keyList(keys.data(), qsizetype(keys.size())) + sql::RecordsOfEnd + sql::RecordsInOrder;
}

// A text column's value as UTF-8: in place where it can be, else in scratch.
// Stored bytes that are not UTF-8 are written as they are shown.
QByteArrayView utf8Field(const char *buffer, SQLLEN indicator, bool wide, QByteArray *scratch)
{
    if (indicator == SQL_NULL_DATA || indicator <= 0)
        return {};
    if (wide) {
        *scratch = QStringView(reinterpret_cast<const char16_t *>(buffer), indicator / 2).toUtf8();
        return *scratch;
    }
    if (std::all_of(buffer, buffer + indicator, [](char c) { return uchar(c) < 0x80; }))
        return QByteArrayView(buffer, indicator);
    *scratch = QString::fromUtf8(buffer, indicator).toUtf8();
    return *scratch;
}

} // namespace

struct RecordsReader::Blocks
{
    std::vector<SQLINTEGER> ids = std::vector<SQLINTEGER>(RecordBlockRows);
    std::vector<SQLLEN> idIndicators = std::vector<SQLLEN>(RecordBlockRows);
    // Column after column, each RecordBlockRows values of FieldBytes.
    std::unique_ptr<char[]> texts = std::unique_ptr<char[]>(new char[TextColumns * RecordBlockRows * FieldBytes]);
    std::vector<SQLLEN> textIndicators = std::vector<SQLLEN>(TextColumns * RecordBlockRows);
    std::vector<SQLUSMALLINT> status = std::vector<SQLUSMALLINT>(RecordBlockRows);
    std::array<QByteArray, ColumnCount> scratch;
    QByteArray line;

    char *text(int column, SQLULEN row) const { return texts.get() + (column * RecordBlockRows + row) * FieldBytes; }
    SQLLEN indicator(int column, SQLULEN row) const { return textIndicators[column * RecordBlockRows + row]; }
};

namespace {

// Rows in blocks with bound columns; *truncated tells that a value did not
// fit its buffer (the lines are then incomplete).
Failure readRecordBlocks(SQLHDBC connection, bool wide, const QString &statement, const std::vector<qint32> &keys,
    const RecordsReader::Format &format, RecordsReader::Blocks &b, TitleLines *lines, bool *truncated)
{
    Statement st(connection);
    if (st.handle() == SQL_NULL_HSTMT)
        return failure(SQL_HANDLE_DBC, connection);
    st.fetchInBlocks(RecordBlockRows, b.status.data());

    SQLLEN unused = 0;
    if (!st.execute(statement, QString(), &unused))
        return st.failure();
    if (!SQL_SUCCEEDED(SQLBindCol(st.handle(), 1, SQL_C_SLONG, b.ids.data(), 0, b.idIndicators.data())))
        return st.failure();
    for (int c = 0; c < TextColumns; ++c) {
        if (!SQL_SUCCEEDED(SQLBindCol(st.handle(), SQLUSMALLINT(c + 2), wide ? SQL_C_WCHAR : SQL_C_CHAR, b.text(c, 0),
                FieldBytes, &b.textIndicators[c * RecordBlockRows])))
            return st.failure();
    }
    const SQLLEN room = FieldBytes - (wide ? SQLLEN(sizeof(SQLWCHAR)) : 1);
    RecordsReader::Fields fields;
    for (;;) {
        SQLULEN rows = 0;
        const SQLRETURN r = st.fetchBlock(&rows);
        if (r == SQL_NO_DATA)
            return {};
        if (!SQL_SUCCEEDED(r))
            return st.failure();
        for (SQLULEN i = 0; i < rows; ++i) {
            if (b.status[i] == SQL_ROW_ERROR)
                return st.failure();
            if (b.status[i] == SQL_ROW_NOROW || b.idIndicators[i] == SQL_NULL_DATA)
                continue;
            const qint32 id = qint32(b.ids[i]);
            if (!std::binary_search(keys.begin(), keys.end(), id))
                continue;
            b.scratch[0].setNum(id);
            fields[0] = b.scratch[0];
            for (int c = 0; c < TextColumns; ++c) {
                const SQLLEN indicator = b.indicator(c, i);
                if (indicator == SQL_NO_TOTAL || indicator > room) {
                    *truncated = true;
                    return {};
                }
                fields[c + 1] = utf8Field(b.text(c, i), indicator, wide, &b.scratch[c + 1]);
            }
            b.line.clear();
            format(fields, &b.line);
            lines->appendUtf8(id, b.line.constData(), b.line.size());
        }
    }
}

// Rows one at a time, each value read in pieces: for values of any length.
Failure readRecordRows(SQLHDBC connection, const QString &statement, const std::vector<qint32> &keys,
    const RecordsReader::Format &format, RecordsReader::Blocks &b, TitleLines *lines)
{
    Statement st(connection);
    if (st.handle() == SQL_NULL_HSTMT)
        return failure(SQL_HANDLE_DBC, connection);
    SQLLEN unused = 0;
    if (!st.execute(statement, QString(), &unused))
        return st.failure();
    RecordsReader::Fields fields;
    QString text;
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
        if (idIndicator == SQL_NULL_DATA || !std::binary_search(keys.begin(), keys.end(), qint32(id)))
            continue;
        b.scratch[0].setNum(qint32(id));
        fields[0] = b.scratch[0];
        for (int c = 0; c < TextColumns; ++c) {
            if (!readWholeText(st.handle(), SQLUSMALLINT(c + 2), &text))
                return st.failure();
            b.scratch[c + 1] = text.toUtf8();
            fields[c + 1] = b.scratch[c + 1];
        }
        b.line.clear();
        format(fields, &b.line);
        lines->appendUtf8(qint32(id), b.line.constData(), b.line.size());
    }
}

} // namespace

RecordsReader::RecordsReader(void *connectionHandle)
    : m_connection(connectionHandle)
{
}

Failure RecordsReader::read(const std::vector<qint32> &keys, const Format &format, TitleLines *lines)
{
    lines->clear();
    if (!m_connection)
        return {err::ConnectionClosed, QStringLiteral("The connection to the data source is closed.")};
    if (keys.empty())
        return {};
    try {
        if (!m_blocks)
            m_blocks = std::make_shared<Blocks>();
        SQLHDBC connection = m_connection;
        // SQLite's driver hands over the stored UTF-8 as it is; others convert
        // to the client's code page, so their texts are read as UTF-16.
        const bool wide = driverOf(connection) != Driver::Sqlite;
        const QString statement = recordsStatement(keys);
        bool truncated = false;
        if (const Failure f = readRecordBlocks(connection, wide, statement, keys, format, *m_blocks, lines, &truncated);
            f.isSet())
            return f;
        if (truncated) {
            lines->clear();
            if (const Failure f = readRecordRows(connection, statement, keys, format, *m_blocks, lines); f.isSet())
                return f;
        }
        lines->sortByKey();
        return {};
    } catch (const std::bad_alloc &) {
        lines->clear();
        return {OutOfMemory, QStringLiteral("Out of memory")};
    }
}

} // namespace songdb
