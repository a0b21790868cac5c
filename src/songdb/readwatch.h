// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace songdb {

class TitleLines;

// A read through the connection's ODBC handle as other threads see it: how
// many rows it has read, and a way to stop it at once. An embedded engine
// is interrupted where it stands; a server is asked to cancel the
// statement, which ends it while it runs, and otherwise the read stops
// before its next block of rows. Made by the caller, handed to the read,
// and shared with the threads that watch it.
class ReadWatch
{
public:
    ReadWatch() = default;
    ~ReadWatch();
    ReadWatch(const ReadWatch &) = delete;
    ReadWatch &operator=(const ReadWatch &) = delete;

    // Rows read so far (the lines of the result, not the candidates an
    // index names first).
    int rows() const { return m_rows.load(std::memory_order_relaxed); }
    // Stops the read from any thread: it ends with the failure Interrupted
    // and no lines. A read not yet begun ends at its start.
    void cancel();
    // The same, and waits until no statement of the read is open or the
    // time is up; true when none is. An embedded engine is told again and
    // again meanwhile: it forgets an interruption that comes just before a
    // statement starts running.
    bool stop(int waitMs);
    bool cancelled() const { return m_cancelled.load(); }
    // Whether a statement of the read is open: an embedded engine's read
    // holds the database file's shared lock meanwhile.
    bool reading() const;
    // Whether the read runs on an embedded engine (SQLite).
    bool embedded() const { return m_embedded.load(); }

    // Called on the reading thread after each block of rows with the lines
    // read so far (for a read that shows its lines as they come).
    std::function<void(const TitleLines &soFar)> onBlock;

    // For the reader: a statement begins (false when the read is to stop
    // already), rows arrive, the statement ends (before it is freed).
    bool begin(void *connection, void *statement, bool embedded);
    void addRows(int rows) { m_rows.fetch_add(rows, std::memory_order_relaxed); }
    void end();

    static platform::Failure interruptedFailure();

private:
    void tellDriver();

    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    std::atomic<bool> m_cancelled {false};
    std::atomic<bool> m_embedded {false};
    std::atomic<int> m_rows {0};
    // The statement under way, and on SQLite an idle statement of the same
    // connection: cancelling that one interrupts the connection without
    // closing the statement another thread is reading.
    void *m_statement = nullptr;
    void *m_interrupter = nullptr;
};

// Registers a statement with a watch for as long as it lives; declared
// after the statement, so that the statement is unregistered before it is
// freed. Without a watch it does nothing.
class WatchedStatement
{
public:
    WatchedStatement(ReadWatch *watch, void *connection, void *statement, bool embedded)
        : m_watch(watch)
        , m_begun(!watch || watch->begin(connection, statement, embedded))
    {
    }
    ~WatchedStatement()
    {
        if (m_watch && m_begun)
            m_watch->end();
    }
    WatchedStatement(const WatchedStatement &) = delete;
    WatchedStatement &operator=(const WatchedStatement &) = delete;

    // False when the read is to stop.
    bool go() const { return m_begun && !(m_watch && m_watch->cancelled()); }

private:
    ReadWatch *m_watch;
    bool m_begun;
};

} // namespace songdb
