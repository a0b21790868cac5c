// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/songconnection.h"

#include "listmaker/currentlist.h"
#include "listmaker/diskcomparison.h"
#include "songdb/odbcdirect.h"
#include "songdb/recordsreader.h"
#include "songdb/sqltexts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

// Bringing a disk up to date: reading one disk's records, and writing what
// a fresh walk of it found changed.

namespace songdb {

using platform::Failure;

namespace {

// Keys in one "ID in (...)" list, and values bound to one statement.
constexpr int KeysPerStatement = 500;
constexpr int ValuesPerStatement = 500;

QString fromUtf8(QByteArrayView field)
{
    return QString::fromUtf8(field.data(), field.size());
}

// New values of some columns, one set per record.
struct ValuesByKey
{
    QVector<Column> columns;
    QVector<qint32> keys;
    QVector<QStringList> values; // per record, a value per column
};

} // namespace

DbResult<std::optional<listmaker::CataloguedDisk>> SongConnection::findDisk(const QString &diskId)
{
    if (!m_attempting)
        return ruled<std::optional<listmaker::CataloguedDisk>>(RuleKind::Read, [&] { return findDisk(diskId); });
    DbResult<std::optional<listmaker::CataloguedDisk>> r;
    if (!isOpen()) {
        r.failure = closedFailure();
        return r;
    }
    // The keys from the index of DiskID, then the records by key, both read in blocks of rows.
    const auto readFiles = [this](const QString &id, QVector<listmaker::StoredFile> *files) -> Failure {
        void *handle = odbcHandle();
        if (!handle)
            return closedFailure();
        TitleLines found;
        if (const Failure f = LinesQuery(handle, sql::DiskKeys, id, true).run(&found); f.isSet())
            return f;
        // Keys of the table's primary key, put in order as they are read: each once, ascending.
        std::vector<qint32> keys;
        keys.reserve(std::size_t(found.size()));
        for (int i = 0; i < found.size(); ++i)
            keys.push_back(found.id(i));
        files->reserve(qsizetype(keys.size()));
        TitleLines unused;
        RecordsReader reader(handle);
        return reader.read(
            keys,
            [files](const RecordsReader::Fields &f, QByteArray *) {
                files->append({fromUtf8(f[ID]).toInt(), fromUtf8(f[PathSID]), fromUtf8(f[TitleSID]),
                    fromUtf8(f[FileSizID]), fromUtf8(f[FileDatTimID]), fromUtf8(f[ArtistID])});
            },
            &unused);
    };

    listmaker::CataloguedDisk disk;
    disk.diskId = diskId;
    if (const Failure f = readFiles(diskId, &disk.files); f.isSet()) {
        r.failure = f;
        return r;
    }
    if (disk.files.isEmpty()) {
        // Not stored as typed: the one Disk ID equal to it apart from letter case, if there is one.
        const auto ids = groupValues(DiskID, true);
        if (!ids.ok()) {
            r.failure = ids.failure;
            return r;
        }
        const QString stored = listmaker::storedDiskId(ids.value, diskId);
        if (stored.isEmpty() || stored == diskId)
            return r;
        disk.diskId = stored;
        if (const Failure f = readFiles(stored, &disk.files); f.isSet()) {
            r.failure = f;
            return r;
        }
        if (disk.files.isEmpty())
            return r; // deleted meanwhile
    }
    r.value = std::move(disk);
    return r;
}

Failure SongConnection::updateDisk(const listmaker::DiskUpdate &update)
{
    if (!m_attempting)
        return underRule(RuleKind::Change, [&] { return updateDisk(update); });
    if (!isOpen())
        return closedFailure();
    beforeWrite();
    if (const Failure f = overCapacity(update.added.FileCount); f.isSet())
        return f;
    QSqlDatabase db = database();
    const auto deleteKeys = [&](const QVector<qint32> &keys) -> Failure {
        for (int first = 0; first < keys.size(); first += KeysPerStatement) {
            const int count = qMin(KeysPerStatement, int(keys.size()) - first);
            QSqlQuery q(db);
            if (!q.prepare(sql::DeleteKeysIn + sql::keyList(keys.constData() + first, count) + sql::KeysInEnd))
                return failureOf(q.lastError());
            if (const Failure f = execute(q); f.isSet())
                return f;
        }
        return {};
    };
    // Many records in one statement: a server takes them in a few round trips.
    const auto setByKey = [&](const ValuesByKey &set) -> Failure {
        const int perStatement = ValuesPerStatement / int(set.columns.size());
        for (int first = 0; first < set.keys.size(); first += perStatement) {
            const int count = qMin(perStatement, int(set.keys.size()) - first);
            QString statement = sql::SetByKey;
            for (int c = 0; c < set.columns.size(); ++c) {
                if (c > 0)
                    statement += QLatin1String(", ");
                statement += ColumnNames[set.columns.at(c)] + sql::CaseOfKey;
                for (int i = first; i < first + count; ++i)
                    statement += sql::WhenKey + QString::number(set.keys.at(i)) + sql::ThenValue;
                statement += sql::CaseEnd;
            }
            statement += sql::WhereKeysIn + sql::keyList(set.keys.constData() + first, count) + sql::KeysInEnd;
            QSqlQuery q(db);
            if (!q.prepare(statement))
                return failureOf(q.lastError());
            int p = 0;
            for (int c = 0; c < set.columns.size(); ++c) {
                for (int i = first; i < first + count; ++i)
                    q.bindValue(p++, set.values.at(i).at(c));
            }
            if (const Failure f = execute(q); f.isSet())
                return f;
        }
        return {};
    };

    ValuesByKey facts {{FileSizID, FileDatTimID}, {}, {}};
    for (const listmaker::DiskUpdate::FileFacts &c : update.changed) {
        facts.keys << c.id;
        facts.values << QStringList {c.size, c.dateTime};
    }
    ValuesByKey folders {{PathSID}, {}, {}};
    for (const listmaker::DiskUpdate::Folder &m : update.moved) {
        folders.keys << m.id;
        folders.values << QStringList {m.folder};
    }
    // Deleting and changing come first, the new records after them: a
    // failure anywhere undoes them all.
    return inTransaction([&]() -> Failure {
        if (const Failure f = deleteKeys(update.removed); f.isSet())
            return f;
        if (const Failure f = setByKey(facts); f.isSet())
            return f;
        if (const Failure f = setByKey(folders); f.isSet())
            return f;
        if (const Failure f = insertRows(update.added, update.added.FileCount); f.isSet())
            return f;
        QSqlQuery q(db);
        if (!q.prepare(sql::UpdateTotFiles))
            return failureOf(q.lastError());
        q.addBindValue(update.totalFilesText);
        q.addBindValue(update.diskId);
        q.addBindValue(update.totalFilesText);
        return execute(q);
    });
}

} // namespace songdb
