#include "songdb/firstrecord.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace songdb {

DbResult<std::optional<SongRecord>> readFirstRecord(SongConnection &connection)
{
    DbResult<std::optional<SongRecord>> r;
    if (!connection.isOpen()) {
        r.failure = connectionClosedFailure();
        return r;
    }
    QSqlQuery q(QSqlDatabase::database(connection.connectionName(), false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("Select * from table1 limit 1"))) {
        const QString text = q.lastError().text().trimmed();
        r.failure = {platform::err::DatabaseError,
                     text.isEmpty() ? QStringLiteral("The database reported an error.") : text};
        return r;
    }
    if (!q.next())
        return r;
    SongRecord record;
    const QSqlRecord fields = q.record();
    for (int i = 0; i < fields.count(); ++i) {
        const int column = columnIndex(fields.fieldName(i));
        const QVariant value = q.value(i);
        if (column >= 0)
            record.values[column] = value.isNull() ? QString() : value.toString();
    }
    r.value = record;
    return r;
}

} // namespace songdb
