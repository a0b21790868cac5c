// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/lostconnection.h"

#include "songdb/odbcstatement.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace songdb {

using platform::Failure;
namespace err = platform::err;

bool tellsOfLostConnection(const Failure &failure)
{
    if (failure.number == err::ConnectionLost)
        return true;
    if (failure.number != err::DatabaseError)
        return false;
    // The words of psqlODBC and libpq, of unixODBC, and of SQLite for a file it lost.
    static const QStringList words = {
        QStringLiteral("connection has been lost"),
        QStringLiteral("due to the connection lost"),
        QStringLiteral("server closed the connection"),
        QStringLiteral("terminating connection"),
        QStringLiteral("could not connect to server"),
        QStringLiteral("connection to server"),
        QStringLiteral("no connection to the server"),
        QStringLiteral("could not receive data from server"),
        QStringLiteral("could not send data to server"),
        QStringLiteral("communication link failure"),
        QStringLiteral("disk I/O error"),
        QStringLiteral("unable to open database file"),
    };
    for (const QString &w : words) {
        if (failure.description.contains(w, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool connectionGone(void *connectionHandle)
{
    if (!connectionHandle)
        return false;
    SQLUINTEGER dead = SQL_CD_FALSE;
    if (SQL_SUCCEEDED(SQLGetConnectAttr(connectionHandle, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr))
        && dead == SQL_CD_TRUE)
        return true;
    if (odbc::driverOf(connectionHandle) != odbc::Driver::Sqlite)
        return false;
    // SQLite works on a file: the connection is gone when the file is no longer where it was opened.
    char name[4096] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(connectionHandle, SQL_DATABASE_NAME, name, sizeof name, &length)) || name[0] == 0
        || length >= SQLSMALLINT(sizeof name))
        return false;
    return !QFileInfo::exists(QFile::decodeName(name));
}

LostConnectionRule::LostConnectionRule(std::function<Failure()> reopen, std::function<bool(const Failure &)> lost)
    : m_reopen(std::move(reopen))
    , m_lost(std::move(lost))
{
}

Failure LostConnectionRule::unreachable(const Failure &why)
{
    return {err::ConnectionLost,
        QStringLiteral("The song catalogue cannot be reached: ") + why.description.trimmed()
            + QStringLiteral("\r\nThe next command tries again.")};
}

Failure LostConnectionRule::notStored(const Failure &why)
{
    return {err::ConnectionLost,
        QStringLiteral("The connection to the song catalogue was lost: the change was not stored. Try it again.\r\n")
            + why.description.trimmed()};
}

Failure LostConnectionRule::reopenIfPending()
{
    if (!m_pending)
        return {};
    if (const Failure f = m_reopen(); f.isSet())
        return unreachable(f);
    m_pending = false;
    return {};
}

Failure LostConnectionRule::read(const Attempt &attempt)
{
    if (const Failure f = reopenIfPending(); f.isSet())
        return f;
    Failure f = attempt();
    if (!f.isSet() || !m_lost(f))
        return f;
    m_pending = true;
    if (const Failure again = reopenIfPending(); again.isSet())
        return again;
    f = attempt();
    if (f.isSet() && m_lost(f)) {
        // Lost again at once: the catalogue is not really back.
        m_pending = true;
        return unreachable(f);
    }
    return f;
}

Failure LostConnectionRule::write(const Attempt &attempt)
{
    if (const Failure f = reopenIfPending(); f.isSet())
        return f;
    const Failure f = attempt();
    if (f.isSet() && m_lost(f)) {
        m_pending = true;
        return notStored(f);
    }
    return f;
}

} // namespace songdb
