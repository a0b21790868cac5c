// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/readwatch.h"

#include <sql.h>
#include <sqlext.h>

namespace songdb {

ReadWatch::~ReadWatch()
{
    end();
}

void ReadWatch::cancel()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_cancelled = true;
    tellDriver();
}

bool ReadWatch::stop(int waitMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cancelled = true;
    tellDriver();
    for (int waited = 1; m_statement; ++waited) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        m_ended.wait_for(lock, std::chrono::milliseconds(10));
        // A server may have been asked just before the statement reached
        // it; each ask costs it a connection, so it is asked seldom.
        if (m_embedded || waited % 50 == 0)
            tellDriver();
    }
    return true;
}

void ReadWatch::tellDriver()
{
    if (!m_statement)
        return;
    // SQLite's driver interrupts the connection and then closes the
    // statement it is given: given the idle one, it leaves the statement
    // under way to fail on its own thread. A server's driver sends the
    // server a cancel request for the statement itself.
    // Without an idle statement the read stops before its next block.
    if (m_interrupter)
        SQLCancel(m_interrupter);
    else if (!m_embedded)
        SQLCancel(m_statement);
}

bool ReadWatch::reading() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_statement != nullptr;
}

bool ReadWatch::begin(void *connection, void *statement, bool embedded)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_cancelled)
        return false;
    m_statement = statement;
    m_embedded = embedded;
    if (embedded && !m_interrupter) {
        SQLHSTMT idle = SQL_NULL_HSTMT;
        if (SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(connection), &idle)))
            m_interrupter = idle;
    }
    return true;
}

void ReadWatch::end()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_statement = nullptr;
        if (m_interrupter) {
            SQLFreeHandle(SQL_HANDLE_STMT, m_interrupter);
            m_interrupter = nullptr;
        }
    }
    m_ended.notify_all();
}

platform::Failure ReadWatch::interruptedFailure()
{
    return {platform::err::Interrupted, QStringLiteral("The read was stopped.")};
}

} // namespace songdb
