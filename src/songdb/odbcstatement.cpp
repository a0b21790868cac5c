// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/odbcstatement.h"

#include <QByteArray>
#include <QStringList>
#include <QVarLengthArray>

namespace songdb::odbc {

namespace {

// The driver's messages; *linkLost tells whether one of them has a state of
// class 08, a connection that broke or cannot be made.
QString diagnostics(SQLSMALLINT type, SQLHANDLE handle, bool *linkLost)
{
    *linkLost = false;
    QStringList parts;
    for (SQLSMALLINT record = 1; record <= 5; ++record) {
        SQLWCHAR state[6] = {};
        SQLWCHAR message[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        const SQLRETURN r = SQLGetDiagRecW(type, handle, record, state, &native, message, 1024, &length);
        if (r != SQL_SUCCESS && r != SQL_SUCCESS_WITH_INFO)
            break;
        if (state[0] == u'0' && state[1] == u'8')
            *linkLost = true;
        parts
            << QString::fromUtf16(reinterpret_cast<const char16_t *>(message), qBound(0, int(length), 1023)).trimmed();
    }
    parts.removeAll(QString());
    return parts.isEmpty() ? QStringLiteral("The database reported an error.") : parts.join(QLatin1Char(' '));
}

} // namespace

platform::Failure failure(SQLSMALLINT type, SQLHANDLE handle)
{
    bool linkLost = false;
    const QString text = diagnostics(type, handle, &linkLost);
    return {linkLost ? platform::err::ConnectionLost : platform::err::DatabaseError, text};
}

Driver driverOf(SQLHDBC connection)
{
    char name[256] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connection, SQL_DRIVER_NAME, name, sizeof name, &length)))
        return Driver::Other;
    const QByteArray driver = QByteArray(name).toLower();
    if (driver.contains("sqlite"))
        return Driver::Sqlite;
    if (driver.contains("psqlodbc"))
        return Driver::Postgres;
    return Driver::Other;
}

bool readWholeText(SQLHSTMT statement, SQLUSMALLINT column, QString *text)
{
    *text = QString();
    QVarLengthArray<SQLWCHAR, 1024> piece(1024);
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN got = SQLGetData(
            statement, column, SQL_C_WCHAR, piece.data(), SQLLEN(piece.size()) * SQLLEN(sizeof(SQLWCHAR)), &indicator);
        if (got == SQL_NO_DATA || indicator == SQL_NULL_DATA)
            return true;
        if (!SQL_SUCCEEDED(got))
            return false;
        const qsizetype room = piece.size() - 1;
        const qsizetype chars = (indicator == SQL_NO_TOTAL || indicator / 2 > room) ? room : indicator / 2;
        *text += QStringView(reinterpret_cast<const char16_t *>(piece.data()), chars);
        if (got == SQL_SUCCESS)
            return true;
    }
}

} // namespace songdb::odbc
