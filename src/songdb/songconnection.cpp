// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/songconnection.h"

#include "listmaker/currentlist.h"
#include "songdb/odbcstatement.h"
#include "songdb/sqltexts.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace songdb {

using platform::Failure;
namespace err = platform::err;

int columnIndex(const QString &name)
{
    for (int i = 0; i < ColumnCount; ++i) {
        if (ColumnNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Failure connectionClosedFailure()
{
    return {err::ConnectionClosed,
        QStringLiteral("Operation is not allowed when the object is closed. The connection to the data "
                       "source 'Orvandel' is closed or invalid.")};
}

bool isLoginRefusal(const QString &driverText)
{
    // The server's own words (in English, as a server without a translation
    // of its messages says them) for what the set-up resets.
    static const QLatin1String refusals[] = {
        QLatin1String("password authentication failed"),
        QLatin1String("is not permitted to log in"),
        QLatin1String("permission denied for database"),
        QLatin1String("too many connections for role"),
        QLatin1String("role \"sa\" does not exist"),
    };
    for (const QLatin1String &refusal : refusals) {
        if (driverText.contains(refusal, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

namespace {

// Rows per insert statement: 8 values each, well below every engine's limit
// on parameters in one statement.
constexpr int AppendRowsPerStatement = 100;

// Up to this many candidates a search reads the records through the index;
// a text that more records hold is found faster by reading the table.
constexpr int MostCandidates = 50000;

Failure sqlFailure(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (text.isEmpty())
        text = driver;
    else if (!driver.isEmpty() && !text.contains(driver))
        text += QLatin1Char(' ') + driver;
    if (text.isEmpty())
        text = QStringLiteral("The database reported an error.");
    return {err::DatabaseError, text};
}

QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("SongConnection-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

QString text(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

SongRecord readRecord(const QSqlQuery &query, const QVector<int> &map)
{
    SongRecord record;
    for (int i = 0; i < map.size(); ++i) {
        if (map[i] >= 0)
            record.values[map[i]] = text(query.value(i));
    }
    return record;
}

// Result position -> column of table1, by name (engines differ in letter case).
QVector<int> columnMap(const QSqlRecord &fields)
{
    QVector<int> map(fields.count(), -1);
    for (int i = 0; i < fields.count(); ++i)
        map[i] = columnIndex(fields.fieldName(i));
    return map;
}

} // namespace

SongConnection::SongConnection(const QString &connectString)
    : m_name(nextConnectionName())
    , m_connectString(connectString)
    , m_rule([this] { return reopen(); }, [this](const Failure &f) { return lost(f); })
{
    if (connectString.isEmpty()) {
        m_openFailure = connectionClosedFailure();
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
    if (!db.isValid()) {
        m_openFailure = {err::ConnectionClosed, QStringLiteral("The ODBC database driver is not available.")};
        return;
    }
    db.setDatabaseName(connectString);
    if (!db.open()) {
        const Failure f = sqlFailure(db.lastError());
        m_openFailure = {err::ConnectionClosed, f.description};
        m_loginRefused = isLoginRefusal(f.description);
    }
}

SongConnection::~SongConnection()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool SongConnection::isOpen() const
{
    return !m_openFailure.isSet() && (m_rule.pending() || database().isOpen());
}

Failure SongConnection::reopen()
{
    QSqlDatabase db = database();
    db.close();
    if (db.open())
        return {};
    return sqlFailure(db.lastError());
}

bool SongConnection::lost(const Failure &failure) const
{
    // A connection known to be gone is lost also where the words for the
    // failure are of another kind (a table no longer found, a database file
    // that cannot be written).
    return tellsOfLostConnection(failure) || (failure.number == err::DatabaseError && connectionGone(odbcHandle()));
}

Failure SongConnection::underRule(RuleKind kind, const LostConnectionRule::Attempt &attempt)
{
    if (m_attempting)
        return attempt();
    m_attempting = true;
    const Failure f = kind == RuleKind::Read ? m_rule.read(attempt) : m_rule.write(attempt);
    m_attempting = false;
    return f;
}

Failure SongConnection::read(const LostConnectionRule::Attempt &attempt)
{
    return underRule(RuleKind::Read, attempt);
}

Failure SongConnection::change(const LostConnectionRule::Attempt &attempt)
{
    return underRule(RuleKind::Change, attempt);
}

Failure SongConnection::closedFailure() const
{
    Failure closed = connectionClosedFailure();
    if (m_loginRefused) {
        closed.description += QStringLiteral(
            " The server refused the login (%1). The server's administrator can repair the login by running the "
            "set-up again (setup-postgres-dsn.sh, installed as quenmora-setup-postgres).")
                                  .arg(m_openFailure.description);
    }
    return closed;
}

QSqlDatabase SongConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

Failure SongConnection::execute(QSqlQuery &query) const
{
    if (query.exec())
        return {};
    return sqlFailure(query.lastError());
}

DbResult<qint32> SongConnection::countRecords()
{
    if (!m_attempting)
        return ruled<qint32>(RuleKind::Read, [this] { return countRecords(); });
    DbResult<qint32> r;
    if (!isOpen()) {
        r.failure = closedFailure();
        return r;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(sql::CountRecords)) {
        r.failure = sqlFailure(q.lastError());
        return r;
    }
    if (!q.next()) {
        r.failure = {
            err::NoCurrentRecord, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted.")};
        return r;
    }
    r.value = q.value(0).toInt();
    return r;
}

DbResult<LinesQuery> SongConnection::countQuery()
{
    return onHandle<LinesQuery>([](void *handle) { return LinesQuery(handle, sql::CountRecordsLine); });
}

DbResult<QStringList> SongConnection::columnNames()
{
    if (!m_attempting)
        return ruled<QStringList>(RuleKind::Read, [this] { return columnNames(); });
    DbResult<QStringList> r;
    if (!isOpen()) {
        r.failure = closedFailure();
        return r;
    }
    // The table's own columns, without reading a row.
    const QSqlRecord fields = database().record(QStringLiteral("table1"));
    if (fields.isEmpty()) {
        r.failure = {err::DatabaseError, QStringLiteral("The table 'table1' was not found in the data source.")};
        return r;
    }
    for (int i = 0; i < fields.count(); ++i) {
        const int c = columnIndex(fields.fieldName(i));
        r.value << (c >= 0 ? ColumnNames[c] : fields.fieldName(i));
    }
    return r;
}

DbResult<LinesQuery> SongConnection::groupValuesQuery(Column column)
{
    DbResult<LinesQuery> r;
    const QString *statement = nullptr;
    switch (column) {
    case DiskID:
        statement = &sql::DiskIdGroups;
        break;
    case OccasionID:
        statement = &sql::OccasionGroups;
        break;
    case StatusID:
        statement = &sql::StatusGroups;
        break;
    default:
        r.failure = {err::InvalidArgument, QStringLiteral("Labels are kept only for disks, occasions and status.")};
        return r;
    }
    return onHandle<LinesQuery>([statement](void *handle) { return LinesQuery(handle, *statement); });
}

QStringList SongConnection::groupLabels(const TitleLines &groups, bool skipNulls, bool *anyGroup)
{
    if (anyGroup)
        *anyGroup = !groups.isEmpty();
    QStringList labels;
    for (int i = 0; i < groups.size(); ++i) {
        if (groups.id(i) != 0 && skipNulls)
            continue;
        labels << groups.text(i);
    }
    return labels;
}

DbResult<QStringList> SongConnection::groupValues(Column column, bool skipNulls, bool *anyGroup)
{
    if (!m_attempting)
        return ruled<QStringList>(RuleKind::Read, [&] { return groupValues(column, skipNulls, anyGroup); });
    DbResult<QStringList> r;
    if (anyGroup)
        *anyGroup = false;
    const auto groups = readLines(groupValuesQuery(column));
    if (!groups.ok())
        r.failure = groups.failure;
    else
        r.value = groupLabels(groups.value, skipNulls, anyGroup);
    return r;
}

DbResult<int> SongConnection::appendList(const listmaker::CurrentList &list)
{
    if (!m_attempting)
        return ruled<int>(RuleKind::Change, [&] { return appendList(list); });
    DbResult<int> r;
    if (!isOpen()) {
        r.failure = closedFailure();
        return r;
    }
    beforeWrite();
    const int count = qMax(0, list.FileCount);
    r.failure = overCapacity(count);
    if (!r.failure.isSet())
        r.failure = inTransaction([&] { return insertRows(list, count); });
    if (!r.failure.isSet())
        r.value = count;
    return r;
}

Failure SongConnection::overCapacity(int fileCount)
{
    if (fileCount <= listmaker::CurrentList::Capacity)
        return {};
    return {err::SubscriptOutOfRange,
        QStringLiteral("Subscript out of range: the list holds more than %1 files.")
            .arg(listmaker::CurrentList::Capacity)};
}

Failure SongConnection::inTransaction(const std::function<Failure()> &write) const
{
    QSqlDatabase db = database();
    if (!db.transaction())
        return sqlFailure(db.lastError());
    if (const Failure f = write(); f.isSet()) {
        db.rollback();
        return f;
    }
    if (!db.commit()) {
        const Failure f = sqlFailure(db.lastError());
        db.rollback();
        return f;
    }
    return {};
}

Failure SongConnection::insertRows(const listmaker::CurrentList &list, int count) const
{
    QSqlQuery q(database());
    int prepared = 0; // rows of the statement q holds
    for (int first = 0; first < count; first += AppendRowsPerStatement) {
        const int rows = qMin(AppendRowsPerStatement, count - first);
        if (rows != prepared) {
            QStringList marks;
            for (int k = 0; k < rows; ++k)
                marks << sql::AppendRow;
            if (!q.prepare(sql::AppendRecords + marks.join(QLatin1String(", "))))
                return sqlFailure(q.lastError());
            prepared = rows;
        }
        int p = 0;
        for (int i = first; i < first + rows; ++i) {
            q.bindValue(p++, list.DiskLabel);
            q.bindValue(p++, list.Paths.at(i));
            q.bindValue(p++, list.Titles.at(i));
            q.bindValue(p++, list.ExtensionText);
            q.bindValue(p++, list.Sizes.at(i));
            q.bindValue(p++, list.DateTimes.at(i));
            q.bindValue(p++, list.ArtistText);
            q.bindValue(p++, list.TotalFilesText);
        }
        if (!q.exec()) {
            const Failure f = sqlFailure(q.lastError());
            q.finish();
            return f;
        }
    }
    q.finish();
    return {};
}

Failure SongConnection::failureOf(const QSqlError &error)
{
    return sqlFailure(error);
}

DbResult<std::optional<SongRecord>> SongConnection::singleRecord(const QString &statement)
{
    DbResult<std::optional<SongRecord>> r;
    if (!isOpen()) {
        r.failure = closedFailure();
        return r;
    }
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(statement)) {
        r.failure = sqlFailure(q.lastError());
        return r;
    }
    if (q.next())
        r.value = readRecord(q, columnMap(q.record()));
    return r;
}

DbResult<std::optional<SongRecord>> SongConnection::recordByKey(qint32 key)
{
    if (!m_attempting)
        return ruled<std::optional<SongRecord>>(RuleKind::Read, [&] { return recordByKey(key); });
    return singleRecord(sql::RecordByKey + QString::number(key));
}

DbResult<std::optional<SongRecord>> SongConnection::firstRecord()
{
    if (!m_attempting)
        return ruled<std::optional<SongRecord>>(RuleKind::Read, [this] { return firstRecord(); });
    return singleRecord(sql::FirstRecord);
}

DbResult<SongRecord> SongConnection::recordAt(qint32 position)
{
    if (!m_attempting)
        return ruled<SongRecord>(RuleKind::Read, [&] { return recordAt(position); });
    DbResult<SongRecord> r;
    if (!isOpen()) {
        r.failure = closedFailure();
        return r;
    }
    const Failure noRecord {
        err::NoCurrentRecord, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted.")};
    if (position < 1) {
        r.failure = noRecord;
        return r;
    }
    const auto found
        = singleRecord(sql::RecordAtPosition + QString::number(qint64(position) - 1) + sql::RecordAtPositionEnd);
    if (!found.ok())
        r.failure = found.failure;
    else if (!found.value)
        r.failure = noRecord;
    else
        r.value = *found.value;
    return r;
}

void *SongConnection::odbcHandle() const
{
    if (m_openFailure.isSet() || !database().isOpen())
        return nullptr;
    // The ODBC driver hands out its SQLHDBC as a plain pointer.
    const QVariant handle = database().driver()->handle();
    if (handle.metaType() != QMetaType::fromType<void *>())
        return nullptr;
    return *static_cast<void *const *>(handle.constData());
}

template <typename T, typename Make>
DbResult<T> SongConnection::onHandle(Make make) const
{
    DbResult<T> r;
    if (void *handle = odbcHandle())
        r.value = make(handle);
    else
        r.failure = closedFailure();
    return r;
}

DbResult<LinesQuery> SongConnection::allTitlesQuery()
{
    return onHandle<LinesQuery>([](void *handle) { return LinesQuery(handle, sql::AllTitles, QString(), true); });
}

DbResult<LinesQuery> SongConnection::findQuery(const QString &column, const QString &searchText)
{
    DbResult<LinesQuery> r;
    const int c = columnIndex(column);
    if (c < 0) {
        r.failure = {err::InvalidArgument,
            QStringLiteral("'%1' is not a field of the song table. Choose a field from the list.").arg(column)};
        return r;
    }
    void *handle = odbcHandle();
    if (!handle) {
        r.failure = closedFailure();
        return r;
    }
    const QString pattern = QLatin1Char('%') + searchText + QLatin1Char('%');
    r.value = LinesQuery(handle, sql::FindPrefix + ColumnNames[c] + sql::FindPattern, pattern, true);
    // A server uses its index by itself; SQLite's is asked for candidates.
    if (searchIndexes().test(std::size_t(c)) && odbc::driverOf(handle) == odbc::Driver::Sqlite) {
        const QString trigrams = searchindex::trigramQuery(pattern);
        if (!trigrams.isNull()) {
            const QString table = searchindex::sqliteTable(Column(c));
            r.value.setCandidates({sql::SearchCandidates + table + sql::SearchCandidatesWhere + table
                    + sql::SearchCandidatesMatch + QString::number(MostCandidates + 1),
                trigrams, sql::FindPrefix + sql::FindKeysIn, sql::FindKeysEnd + ColumnNames[c] + sql::FindPattern,
                MostCandidates});
        }
    }
    return r;
}

searchindex::Columns SongConnection::searchIndexes()
{
    if (m_searchIndexes)
        return *m_searchIndexes;
    void *handle = odbcHandle();
    if (!handle)
        return {};
    // Read once per connection: the program never changes the catalogue's
    // structure. A read that failed (a connection lost) is tried again next time.
    QSqlQuery q(database());
    q.setForwardOnly(true);
    switch (odbc::driverOf(handle)) {
    case odbc::Driver::Sqlite: {
        if (!q.exec(sql::SqliteSchemaObjects))
            return {};
        QList<searchindex::SchemaObject> objects;
        while (q.next())
            objects.append({text(q.value(0)), text(q.value(1)), text(q.value(2))});
        m_searchIndexes = searchindex::sqliteIndexes(objects);
        break;
    }
    case odbc::Driver::Postgres: {
        if (!q.exec(sql::PostgresIndexDefinitions))
            return {};
        QStringList definitions;
        while (q.next())
            definitions << text(q.value(0));
        m_searchIndexes = searchindex::postgresIndexes(definitions);
        break;
    }
    case odbc::Driver::Other:
        m_searchIndexes = searchindex::Columns();
        break;
    }
    return *m_searchIndexes;
}

DbResult<LinesQuery> SongConnection::duplicateTitlesQuery()
{
    return onHandle<LinesQuery>([](void *handle) { return LinesQuery(handle, sql::DuplicateTitles); });
}

DbResult<RecordsReader> SongConnection::recordsReader()
{
    return onHandle<RecordsReader>([](void *handle) { return RecordsReader(handle); });
}

DbResult<TitleLines> SongConnection::readLines(const DbResult<LinesQuery> &query)
{
    DbResult<TitleLines> r;
    r.failure = query.ok() ? query.value.run(&r.value) : query.failure;
    return r;
}

DbResult<TitleLines> SongConnection::allTitles()
{
    if (!m_attempting)
        return ruled<TitleLines>(RuleKind::Read, [this] { return allTitles(); });
    return readLines(allTitlesQuery());
}

DbResult<TitleLines> SongConnection::find(const QString &column, const QString &searchText)
{
    if (!m_attempting)
        return ruled<TitleLines>(RuleKind::Read, [&] { return find(column, searchText); });
    return readLines(findQuery(column, searchText));
}

Failure SongConnection::updateRecord(
    qint32 key, const QString &title, const QString &occasion, const QString &artist, const QString &status)
{
    if (!m_attempting)
        return change([&] { return updateRecord(key, title, occasion, artist, status); });
    if (!isOpen())
        return closedFailure();
    beforeWrite();
    QSqlQuery q(database());
    if (!q.prepare(sql::UpdateRecord))
        return sqlFailure(q.lastError());
    q.addBindValue(title);
    q.addBindValue(occasion);
    q.addBindValue(artist);
    q.addBindValue(status);
    q.addBindValue(key);
    if (const Failure f = execute(q); f.isSet())
        return f;
    if (q.numRowsAffected() == 0)
        return {
            err::NoCurrentRecord, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted.")};
    return {};
}

DbResult<int> SongConnection::deleteDisk(const QString &diskId)
{
    if (!m_attempting)
        return ruled<int>(RuleKind::Change, [&] { return deleteDisk(diskId); });
    const auto change = deleteDiskChange(diskId);
    DbResult<int> r;
    r.failure = change.ok() ? change.value.run(&r.value) : change.failure;
    return r;
}

DbResult<RowsChange> SongConnection::deleteDiskChange(const QString &diskId)
{
    beforeWrite();
    return onHandle<RowsChange>([&diskId](void *handle) { return RowsChange(handle, sql::DeleteDisk, diskId); });
}

DbResult<RowsChange> SongConnection::deleteAllChange()
{
    beforeWrite();
    return onHandle<RowsChange>([](void *handle) { return RowsChange(handle, sql::DeleteAll); });
}

DbResult<int> SongConnection::deleteAll()
{
    if (!m_attempting)
        return ruled<int>(RuleKind::Change, [this] { return deleteAll(); });
    const auto change = deleteAllChange();
    DbResult<int> r;
    r.failure = change.ok() ? change.value.run(&r.value) : change.failure;
    return r;
}

SongDatabase::SongDatabase(const QString &connectString)
    : m_connectString(connectString)
{
}

SongDatabase::~SongDatabase() = default;

void SongDatabase::ConnectDatabase()
{
    m_connection.reset();
    m_connection = std::make_unique<SongConnection>(m_connectString);
    watchWrites(*m_connection);
}

SongConnection &SongDatabase::connection()
{
    if (!m_connection) {
        // Not connected yet: a closed connection that refuses every operation.
        m_connection = std::make_unique<SongConnection>(QString());
        watchWrites(*m_connection);
    }
    return *m_connection;
}

void SongDatabase::watchWrites(SongConnection &connection)
{
    connection.setBeforeWrite([this] { stopBackgroundReads(); });
}

int SongDatabase::addBackgroundRead(std::function<void()> stop)
{
    const std::lock_guard<std::mutex> lock(m_readsMutex);
    m_backgroundReads.emplace(++m_nextRead, std::move(stop));
    return m_nextRead;
}

void SongDatabase::removeBackgroundRead(int id)
{
    const std::lock_guard<std::mutex> lock(m_readsMutex);
    m_backgroundReads.erase(id);
}

void SongDatabase::stopBackgroundReads()
{
    const std::lock_guard<std::mutex> lock(m_readsMutex);
    for (const auto &read : m_backgroundReads)
        read.second();
}

} // namespace songdb
