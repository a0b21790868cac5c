// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"
#include "songdb/lostconnection.h"
#include "songdb/odbcdirect.h"
#include "songdb/recordsreader.h"
#include "songdb/searchindex.h"
#include "songdb/songrecord.h"
#include "songdb/titlelines.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

namespace listmaker {
struct CurrentList;
struct CataloguedDisk;
struct DiskUpdate;
} // namespace listmaker

namespace songdb {

// A value and, when the operation failed, why.
template <typename T>
struct DbResult
{
    T value{};
    platform::Failure failure;

    bool ok() const { return !failure.isSet(); }
};

// The connection string of the data source, as the ODBC driver manager is
// given it: the driver adds the leading "DSN=" itself.
inline const QString DefaultConnectString = QStringLiteral("Orvandel;UID=sa;PWD=kzq;");

// One open (or failed) connection to the song database. Every operation
// opens its own statement and finishes it before returning. When the data
// source could not be opened, every operation fails with ConnectionClosed.
// A connection lost once it was open (the server restarted, the share that
// holds the database file dropped) is opened again through the same data
// source as LostConnectionRule says: a read runs once more, a change fails
// as not stored.
class SongConnection
{
public:
    explicit SongConnection(const QString &connectString = DefaultConnectString);
    ~SongConnection();
    SongConnection(const SongConnection &) = delete;
    SongConnection &operator=(const SongConnection &) = delete;

    // Open, or lost and opened again by the next operation.
    bool isOpen() const;
    // Why opening failed (ConnectionClosed with the driver's text), or nothing.
    platform::Failure openFailure() const { return m_openFailure; }
    // The server refused the program's login (a changed password, for
    // instance): the failures of a closed connection then say that the
    // server's administrator repairs it by running the set-up again.
    bool loginRefused() const { return m_loginRefused; }

    DbResult<qint32> countRecords();
    // The same count, as a read made here and run later, on any thread:
    // its one line carries the count.
    DbResult<LinesQuery> countQuery();
    // The column names of table1 in table order, spelled as the program names
    // them (DiskID, TitleSID, ...) whatever case the server keeps.
    DbResult<QStringList> columnNames();
    // Distinct values of DiskID, OccasionID or StatusID in the database's
    // order; rows without a value are left out when skipNulls is set.
    // *anyGroup tells whether the query returned any row at all, the group
    // of records without a value included.
    DbResult<QStringList> groupValues(Column column, bool skipNulls, bool *anyGroup = nullptr);
    // The same groups as a read run later on any thread, and their values
    // taken from its lines.
    DbResult<LinesQuery> groupValuesQuery(Column column);
    static QStringList groupLabels(const TitleLines &groups, bool skipNulls, bool *anyGroup = nullptr);

    // Appends one row per file of the list, all or none. Returns the rows added.
    DbResult<int> appendList(const listmaker::CurrentList &list);

    // The record with that key; nothing (and no failure) when there is none.
    DbResult<std::optional<SongRecord>> recordByKey(qint32 key);
    DbResult<std::optional<SongRecord>> firstRecord();
    // The record at a 1-based position in table order; NoCurrentRecord when
    // the position lies outside the table.
    DbResult<SongRecord> recordAt(qint32 position);
    // Key and title of every record, in key order.
    DbResult<TitleLines> allTitles();
    // Key and title of the records whose column contains the text (LIKE
    // '%text%'; % and _ keep their meaning), in key order: exactly the
    // records that the same query with the text bound finds, whatever the
    // text and the locale. The column must be one of table1's: otherwise
    // InvalidArgument and nothing is sent.
    DbResult<TitleLines> find(const QString &column, const QString &text);
    // The same two reads, made here and run later, on any thread, while the
    // connection is otherwise left alone. Where the column has a search
    // index the find reads through it (on SQLite the program asks it for
    // candidates; a server uses its own), with the same lines.
    DbResult<LinesQuery> allTitlesQuery();
    DbResult<LinesQuery> findQuery(const QString &column, const QString &text);
    // The columns whose substring search an index of the catalogue serves,
    // found out at the first use of each connection.
    searchindex::Columns searchIndexes();
    // The titles that stand on two or more disks (DiskID), letter case
    // ignored (as the engine's lower() folds it), in the order of their
    // lower-case form: per line the number of disks and the title as spelled
    // by the least of its spellings. Empty titles and titles without a value
    // are none. Run like the two above.
    DbResult<LinesQuery> duplicateTitlesQuery();
    // Reads whole records by key, made here and used on any thread.
    DbResult<RecordsReader> recordsReader();

    // Stores title, occasion, artist and status of the record with that key;
    // NoCurrentRecord when the key names no record.
    platform::Failure updateRecord(qint32 key, const QString &title, const QString &occasion, const QString &artist,
                                   const QString &status);
    // Deletes every record whose DiskID equals diskId exactly; returns how many.
    DbResult<int> deleteDisk(const QString &diskId);
    // The same, made here and run later, on any thread.
    DbResult<RowsChange> deleteDiskChange(const QString &diskId);
    // Empties the table; returns how many records were deleted.
    DbResult<int> deleteAll();
    // The same, made here and run later, on any thread (emptying a large
    // table takes a while).
    DbResult<RowsChange> deleteAllChange();

    // The disk a typed Disk ID names: its records in key order, when DiskID
    // equals the text or, when none does, the one stored Disk ID equal to it
    // apart from letter case; nothing (and no failure) when no disk answers.
    DbResult<std::optional<listmaker::CataloguedDisk>> findDisk(const QString &diskId);
    // Writes what bringing a disk up to date changes in one transaction: all
    // of it, or nothing and the reason.
    platform::Failure updateDisk(const listmaker::DiskUpdate &update);

    QString connectionName() const { return m_name; }
    // Runs before every write (appending, editing, deleting, bringing a disk
    // up to date), on the thread that asks for it.
    void setBeforeWrite(std::function<void()> hook) { m_beforeWrite = std::move(hook); }

    // A read or a change that the caller makes of this connection's
    // operations and runs itself (a query made here and run on a worker
    // thread), under the lost-connection rule: a read is made and run once
    // more on the connection opened again, a change is not.
    platform::Failure read(const LostConnectionRule::Attempt &attempt);
    platform::Failure change(const LostConnectionRule::Attempt &attempt);

private:
    void beforeWrite() const
    {
        if (m_beforeWrite)
            m_beforeWrite();
    }
    enum class RuleKind { Read, Change };
    platform::Failure underRule(RuleKind kind, const LostConnectionRule::Attempt &attempt);
    // An operation as the lost-connection rule runs it: op is the operation
    // itself, called again inside the rule's attempt.
    template <typename T, typename Op>
    DbResult<T> ruled(RuleKind kind, Op op);
    platform::Failure reopen();
    bool lost(const platform::Failure &failure) const;
    platform::Failure closedFailure() const;
    QSqlDatabase database() const;
    platform::Failure execute(QSqlQuery &query) const;
    DbResult<std::optional<SongRecord>> singleRecord(const QString &statement);
    // The connection's ODBC handle, or null when it is closed.
    void *odbcHandle() const;
    // What make(handle) gives, or the closed connection's failure.
    template <typename T, typename Make>
    DbResult<T> onHandle(Make make) const;
    DbResult<TitleLines> readLines(const DbResult<LinesQuery> &query);
    // Adds records 0 to count-1 of the list as an append does, inside the
    // caller's transaction.
    platform::Failure insertRows(const listmaker::CurrentList &list, int count) const;
    // The failure of a list with more files than a list can hold, if it has.
    static platform::Failure overCapacity(int fileCount);
    // Runs write in a transaction: all it changed is kept, or on its failure nothing.
    platform::Failure inTransaction(const std::function<platform::Failure()> &write) const;
    static platform::Failure failureOf(const QSqlError &error);

    QString m_name;
    QString m_connectString;
    platform::Failure m_openFailure;
    bool m_loginRefused = false;
    LostConnectionRule m_rule;
    // An operation runs inside the rule's attempt: nested operations run as they are.
    bool m_attempting = false;
    std::optional<searchindex::Columns> m_searchIndexes;
    std::function<void()> m_beforeWrite;
};

template <typename T, typename Op>
DbResult<T> SongConnection::ruled(RuleKind kind, Op op)
{
    DbResult<T> r;
    if (const platform::Failure f = underRule(kind, [&] {
            r = op();
            return r.failure;
        });
        f.isSet()) {
        r = {};
        r.failure = f;
    }
    return r;
}

// The program-wide connection slot: ConnectDatabase replaces the connection
// with a newly opened one, as each window load does.
class SongDatabase
{
public:
    explicit SongDatabase(const QString &connectString = DefaultConnectString);
    ~SongDatabase();

    void ConnectDatabase();
    SongConnection &connection();
    QString connectString() const { return m_connectString; }

    // Reads that go on beside the windows' commands on connections of their
    // own (finding as you type) say here how they stop. Every write through
    // connection() stops them first, from any thread: on an embedded engine
    // a read holds the file's shared lock, and a write beside it would wait
    // and then fail.
    int addBackgroundRead(std::function<void()> stop);
    void removeBackgroundRead(int id);
    void stopBackgroundReads();

private:
    void watchWrites(SongConnection &connection);

    QString m_connectString;
    std::unique_ptr<SongConnection> m_connection;
    std::mutex m_readsMutex;
    std::map<int, std::function<void()>> m_backgroundReads;
    int m_nextRead = 0;
};

platform::Failure connectionClosedFailure();

// Whether the driver's text of a failed connection tells that a PostgreSQL
// server refused the login itself (password, login right, connect right),
// which running the server's set-up again puts right. A server that cannot
// be reached is no refusal.
bool isLoginRefusal(const QString &driverText);

} // namespace songdb
