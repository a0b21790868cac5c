#include "bench.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>

namespace bench {

bool seedSongs(const QString &databaseFile, int records)
{
    const QString name = QStringLiteral("bench-seed");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        if (db.open() && db.transaction()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("insert into table1 (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, "
                                     "FileDatTimID, ArtistID, TotFiles) values (?, ?, ?, ?, ?, ?, ?, ?)"));
            ok = true;
            for (int i = 0; i < records && ok; ++i) {
                q.addBindValue(QStringLiteral("DISK%1").arg(i / 500));
                q.addBindValue(QStringLiteral("/media/disk/folder %1").arg(i / 25));
                q.addBindValue(QStringLiteral("Song number %1.mp3").arg(i));
                q.addBindValue(QStringLiteral("NA"));
                q.addBindValue(QString::number(3000000 + i));
                q.addBindValue(QStringLiteral("7 Dec 2026 10:00:00"));
                q.addBindValue(QStringLiteral("Artist %1").arg(i % 40));
                q.addBindValue(QStringLiteral("500"));
                ok = q.exec();
            }
            ok = ok && db.commit();
            if (!ok)
                std::fprintf(stderr, "seeding failed: %s\n", qPrintable(q.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

listmaker::CurrentList sampleList()
{
    listmaker::CurrentList list;
    list.FileCount = listmaker::CurrentList::Capacity;
    list.DiskLabel = QStringLiteral("BENCH01");
    list.ArtistText = QStringLiteral("Various Artists");
    list.ExtensionText = QStringLiteral("NA");
    list.TotalFilesText = QString::number(list.FileCount);
    for (int i = 0; i < list.FileCount; ++i) {
        list.Paths[i] = QStringLiteral("/media/disk/folder %1").arg(i / 25);
        list.Titles[i] = QStringLiteral("Song number %1's.mp3").arg(i);
        list.Sizes[i] = QString::number(3000000 + i);
        list.DateTimes[i] = QStringLiteral("7 Dec 2026 10:%1:00").arg(i % 60, 2, 10, QLatin1Char('0'));
    }
    return list;
}

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

} // namespace bench
