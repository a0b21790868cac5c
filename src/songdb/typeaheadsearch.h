// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"
#include "songdb/titlelines.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;

namespace songdb {

// Finding as the user types: searches of a column for a text (LIKE
// '%text%', as "Find and Display" searches), run one at a time on a thread
// of their own and on a connection of their own, opened there at the first
// search and used only for reading. The window thread never waits for a
// search: a newer search, or cancel(), stops the one under way at once (the
// driver is told) and only the newest search reports. For the window
// thread, except stopForWrite(), which any thread may call.
class TypeAheadSearch : public QObject
{
    Q_OBJECT

public:
    explicit TypeAheadSearch(QString connectString, QObject *parent = nullptr);
    // Stops the search under way and closes the connection on its thread.
    ~TypeAheadSearch() override;
    TypeAheadSearch(const TypeAheadSearch &) = delete;
    TypeAheadSearch &operator=(const TypeAheadSearch &) = delete;

    // Searches the column for the text; the search under way, or one still
    // waiting, stops and never reports.
    void search(const QString &column, const QString &text);
    // Stops the search under way, or one still waiting; neither reports.
    void cancel();
    // As cancel(), and returns once no read of this search holds the
    // database: on an embedded engine a read holds the file's shared lock,
    // so that a write beside it would wait and then fail. A server's reads
    // never hold up a write, so there it returns at once.
    void stopForWrite();
    // Whether a search has been asked for and has not reported yet.
    bool searching() const { return m_searching; }

signals:
    // While the newest search still reads (one that reads for long reports
    // in steps): lines found since the last step, in the order read, as
    // long as the first few thousand last (none after those), and how many
    // lines it has found so far.
    void linesSoFar(const songdb::TitleLines &more, int found);
    // The newest search has ended: all its lines in key order (a handler
    // may take them), or the failure that ended it (no lines then).
    void finished(songdb::TitleLines &lines, const platform::Failure &failure);

private:
    struct Shared;
    void work();

    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<QThread> m_thread;
    // The number of the newest search; only it reports.
    quint64 m_generation = 0;
    bool m_searching = false;
};

} // namespace songdb
