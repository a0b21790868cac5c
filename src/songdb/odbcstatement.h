// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QString>

#include <algorithm>

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

// What the direct ODBC readers share: statement handles, failures as the
// program reports them, and which driver is behind a connection.
namespace songdb::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager's wide characters are UTF-16");

constexpr int OutOfMemory = 7;

enum class Driver { Sqlite, Postgres, Other };

Driver driverOf(SQLHDBC connection);
// The driver's messages about a handle, as a failure of the database;
// ConnectionLost when the link to the database broke.
platform::Failure failure(SQLSMALLINT type, SQLHANDLE handle);
// The whole text of a column of the current row, read in pieces: for texts
// of any length. A column without a value gives an empty text.
bool readWholeText(SQLHSTMT statement, SQLUSMALLINT column, QString *text);

// A statement handle that is freed, and its cursor closed, on every way out.
class Statement
{
public:
    explicit Statement(SQLHDBC connection)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &m_handle)))
            m_handle = SQL_NULL_HSTMT;
    }
    ~Statement()
    {
        if (m_handle != SQL_NULL_HSTMT) {
            SQLFreeStmt(m_handle, SQL_CLOSE);
            SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
        }
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    SQLHSTMT handle() const { return m_handle; }
    platform::Failure failure() const { return odbc::failure(SQL_HANDLE_STMT, m_handle); }

    // Prepares and runs the statement with its text parameter, if any.
    bool execute(const QString &statement, const QString &parameter, SQLLEN *parameterLength)
    {
        auto *sqlText = reinterpret_cast<SQLWCHAR *>(
            const_cast<char16_t *>(reinterpret_cast<const char16_t *>(statement.utf16())));
        if (parameter.isNull())
            return SQL_SUCCEEDED(SQLExecDirectW(m_handle, sqlText, SQLINTEGER(statement.size())));
        if (!SQL_SUCCEEDED(SQLPrepareW(m_handle, sqlText, SQLINTEGER(statement.size()))))
            return false;
        *parameterLength = SQLLEN(parameter.size()) * SQLLEN(sizeof(SQLWCHAR));
        auto *value = const_cast<ushort *>(parameter.utf16());
        const SQLRETURN bound = SQLBindParameter(m_handle, 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR,
            SQLULEN(qMax(qsizetype(1), parameter.size())), 0, value, *parameterLength, parameterLength);
        return SQL_SUCCEEDED(bound) && SQL_SUCCEEDED(SQLExecute(m_handle));
    }

    // Asks for the rows in blocks of up to maxRows, the columns bound one
    // after the other; status has room for maxRows row states. Returns the
    // block size the driver took: 1 for a driver that fetches row by row.
    SQLULEN fetchInBlocks(SQLULEN maxRows, SQLUSMALLINT *status)
    {
        m_status = status;
        SQLSetStmtAttr(m_handle, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
        SQLSetStmtAttr(m_handle, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(maxRows), 0);
        SQLSetStmtAttr(m_handle, SQL_ATTR_ROWS_FETCHED_PTR, &m_fetched, 0);
        SQLSetStmtAttr(m_handle, SQL_ATTR_ROW_STATUS_PTR, status, 0);
        SQLULEN blockRows = 1;
        SQLGetStmtAttr(m_handle, SQL_ATTR_ROW_ARRAY_SIZE, &blockRows, 0, nullptr);
        m_blockRows = qBound(SQLULEN(1), blockRows, maxRows);
        return m_blockRows;
    }

    // The next block of rows after fetchInBlocks: SQL_NO_DATA after the
    // last; *rows tells how many rows of the block were fetched.
    SQLRETURN fetchBlock(SQLULEN *rows)
    {
        m_fetched = 0;
        std::fill(m_status, m_status + m_blockRows, SQLUSMALLINT(SQL_ROW_SUCCESS));
        const SQLRETURN r = SQLFetch(m_handle);
        // A driver that does not report the count fetches one row at a time.
        *rows = m_fetched == 0 && m_blockRows == 1 ? 1 : qMin(m_fetched, m_blockRows);
        return r;
    }

private:
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
    SQLULEN m_fetched = 0;
    SQLULEN m_blockRows = 1;
    SQLUSMALLINT *m_status = nullptr;
};

} // namespace songdb::odbc
