// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

namespace bench {

bool seedCatalogue(const QString &connectionName, bool postgres, int records, int perDisk)
{
    // One statement makes every row: a million rows take seconds, not minutes.
    const QString columns = QStringLiteral(
        "insert into table1 (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles, "
        "OccasionID, StatusID) ");
    const QString values = QStringLiteral(
        "select 'DISK' || (i / %1), '/media/disk/folder ' || (i / 25), 'Song number ' || i || '.mp3', 'NA', "
        "cast(3000000 + i as text), '7 Dec 2026 10:00:00', 'Artist ' || (i % 40), '%1', "
        "case when i % 7 = 0 then 'Party' when i % 11 = 0 then 'Wedding' end, "
        "case when i % 13 = 0 then 'Scratched' end ")
                               .arg(perDisk);
    const QString statement = postgres
        ? QString(columns + values + QStringLiteral("from generate_series(0, %1) as i").arg(records - 1))
        : QString(QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) ")
                      .arg(records - 1)
            + columns + values + QStringLiteral("from n"));
    QSqlDatabase db = QSqlDatabase::database(connectionName);
    QSqlQuery q(db);
    const bool ok = db.transaction() && q.exec(statement) && db.commit();
    if (!ok) {
        std::fprintf(
            stderr, "seeding failed: %s %s\n", qPrintable(q.lastError().text()), qPrintable(db.lastError().text()));
        db.rollback();
        return false;
    }
    return true;
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double findWalkMs(const QString &root)
{
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    find.start(QStringLiteral("find"), {root, QStringLiteral("-printf"), QStringLiteral("%h %f %s %T@\\n")});
    if (!find.waitForFinished(120000) || find.exitStatus() != QProcess::NormalExit || find.exitCode() != 0)
        return -1;
    return msSince(timer);
}

bool runStatement(const QString &connect, const QString &statement)
{
    const QString name = QStringLiteral("bench-statement");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        db.setDatabaseName(connect);
        QSqlQuery q(db);
        ok = db.open() && q.exec(statement);
        if (!ok)
            std::fprintf(stderr, "%s: %s %s\n", qPrintable(statement), qPrintable(db.lastError().text()),
                qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool seedSongs(const QString &databaseFile, int records)
{
    const QString name = QStringLiteral("bench-seed");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        ok = db.open() && seedCatalogue(name, false, records, 500);
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

void resetPeakMemory()
{
    // Writing 5 to clear_refs sets the peak back to what is resident now.
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
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

namespace {

bool portInUse(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return true;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool used = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return used;
}

const QString PgServerScript = QStringLiteral(QUENMORA_SOURCE_DIR "/scripts/pg-server.sh");

} // namespace

struct TempPostgres::Folder
{
    QTemporaryDir dir;
    QString data() const { return dir.filePath(QStringLiteral("pg")); }
};

TempPostgres::TempPostgres()
    : m_folder(std::make_unique<Folder>())
{
    m_port = 55400;
    while (portInUse(m_port))
        ++m_port;
    QProcess start;
    start.setProcessChannelMode(QProcess::MergedChannels);
    start.start(
        QStringLiteral("bash"), {PgServerScript, QStringLiteral("start"), m_folder->data(), QString::number(m_port)});
    m_running = start.waitForFinished(180000) && start.exitStatus() == QProcess::NormalExit && start.exitCode() == 0;
    if (!m_running)
        m_error = QString::fromLocal8Bit(start.readAll());
}

TempPostgres::~TempPostgres()
{
    QProcess::execute(QStringLiteral("bash"), {PgServerScript, QStringLiteral("stop"), m_folder->data()});
}

QString TempPostgres::connectString() const
{
    return QStringLiteral("DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=%1;DATABASE=quenmora;UID=sa;PWD=kzq;")
        .arg(m_port);
}

QString TempPostgres::adminConnectString() const
{
    return QStringLiteral("DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=%1;DATABASE=quenmora;"
                          "UID=quenmora_admin;PWD=throwaway;")
        .arg(m_port);
}

} // namespace bench
