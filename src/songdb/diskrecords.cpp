#include "songdb/songconnection.h"

#include "listmaker/currentlist.h"
#include "listmaker/diskcomparison.h"
#include "songdb/sqltexts.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

// Bringing a disk up to date: reading one disk's records, and writing what
// a fresh walk of it found changed.

namespace songdb {

using platform::Failure;

namespace {

// Keys in one "ID in (...)" list.
constexpr int KeysPerStatement = 500;

QString text(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

// Keys [first, first + count) as "1, 2, 3": numbers the program formats.
QString keyList(const QVector<qint32> &keys, int first, int count)
{
    QString list;
    list.reserve(count * 9);
    for (int i = first; i < first + count; ++i) {
        if (i > first)
            list += QLatin1String(", ");
        list += QString::number(keys.at(i));
    }
    return list;
}

} // namespace

DbResult<std::optional<listmaker::CataloguedDisk>> SongConnection::findDisk(const QString &diskId)
{
    DbResult<std::optional<listmaker::CataloguedDisk>> r;
    if (!isOpen()) {
        r.failure = closedFailure();
        return r;
    }
    const auto readFiles = [this](const QString &id, QVector<listmaker::StoredFile> *files) -> Failure {
        QSqlQuery q(database());
        q.setForwardOnly(true);
        if (!q.prepare(sql::DiskFiles))
            return failureOf(q.lastError());
        q.addBindValue(id);
        if (!q.exec())
            return failureOf(q.lastError());
        while (q.next()) {
            files->append({q.value(0).toInt(), text(q.value(1)), text(q.value(2)), text(q.value(3)),
                           text(q.value(4)), text(q.value(5))});
        }
        if (q.lastError().type() != QSqlError::NoError)
            return failureOf(q.lastError());
        return {};
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
    if (!isOpen())
        return closedFailure();
    if (update.added.FileCount > listmaker::CurrentList::Capacity) {
        return {platform::err::SubscriptOutOfRange,
            QStringLiteral("Subscript out of range: the list holds more than %1 files.")
                .arg(listmaker::CurrentList::Capacity)};
    }
    QSqlDatabase db = database();
    const auto run = [](QSqlQuery &q) -> Failure {
        const bool ok = q.exec();
        const Failure f = ok ? Failure() : failureOf(q.lastError());
        q.finish();
        return f;
    };
    const auto keysIn = [&](const QString &head, const QVector<qint32> &keys, const QString *value) -> Failure {
        for (int first = 0; first < keys.size(); first += KeysPerStatement) {
            const int count = qMin(KeysPerStatement, int(keys.size()) - first);
            QSqlQuery q(db);
            if (!q.prepare(head + keyList(keys, first, count) + sql::KeysInEnd))
                return failureOf(q.lastError());
            if (value)
                q.addBindValue(*value);
            if (const Failure f = run(q); f.isSet())
                return f;
        }
        return {};
    };

    // Deleting and changing come first, the new records after them: a
    // failure anywhere undoes them all.
    const auto write = [&]() -> Failure {
        if (const Failure f = keysIn(sql::DeleteKeysIn, update.removed, nullptr); f.isSet())
            return f;
        if (!update.changed.isEmpty()) {
            QSqlQuery q(db);
            if (!q.prepare(sql::UpdateFileFacts))
                return failureOf(q.lastError());
            for (const listmaker::DiskUpdate::FileFacts &c : update.changed) {
                q.bindValue(0, c.size);
                q.bindValue(1, c.dateTime);
                q.bindValue(2, c.id);
                if (!q.exec())
                    return failureOf(q.lastError());
            }
            q.finish();
        }
        // The records of one folder move together: one statement per folder.
        QStringList folders;
        QHash<QString, QVector<qint32>> keysOf;
        for (const listmaker::DiskUpdate::Folder &m : update.moved) {
            auto keys = keysOf.find(m.folder);
            if (keys == keysOf.end()) {
                folders << m.folder;
                keys = keysOf.insert(m.folder, {});
            }
            keys->append(m.id);
        }
        for (const QString &folder : folders) {
            if (const Failure f = keysIn(sql::MoveKeysIn, keysOf.value(folder), &folder); f.isSet())
                return f;
        }
        if (const Failure f = insertRows(update.added, update.added.FileCount); f.isSet())
            return f;
        QSqlQuery q(db);
        if (!q.prepare(sql::UpdateTotFiles))
            return failureOf(q.lastError());
        q.addBindValue(update.totalFilesText);
        q.addBindValue(update.diskId);
        q.addBindValue(update.totalFilesText);
        return run(q);
    };

    if (!db.transaction())
        return failureOf(db.lastError());
    if (const Failure f = write(); f.isSet()) {
        db.rollback();
        return f;
    }
    if (!db.commit()) {
        const Failure f = failureOf(db.lastError());
        db.rollback();
        return f;
    }
    return {};
}

} // namespace songdb
