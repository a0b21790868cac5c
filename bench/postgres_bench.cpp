// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench.h"

#include "listmaker/currentlist.h"
#include "songdb/songconnection.h"

#include <QElapsedTimer>

// Appending a 10001-file list to a PostgreSQL server through the same ODBC
// data source name, beside the same append on the embedded SQLite database.
namespace {

double timeAppend(const QString &connectString, const listmaker::CurrentList &list, bool *ok)
{
    songdb::SongConnection connection(connectString);
    QElapsedTimer timer;
    timer.start();
    const auto added = connection.appendList(list);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    *ok = added.ok() && added.value == list.FileCount;
    if (!added.ok())
        std::fprintf(stderr, "append failed: %s\n", qPrintable(added.failure.description));
    return ms;
}

int run()
{
    const listmaker::CurrentList list = bench::sampleList();
    bool ok = false;
    {
        bench::TempDataSource source;
        const double ms = timeAppend(songdb::DefaultConnectString, list, &ok);
        if (!ok)
            return 1;
        bench::report(QStringLiteral("append_10k_sqlite_odbc_ms"), ms, QStringLiteral("ms"));
    }

    // A throw-away server on the loopback address, started and stopped here.
    const bench::TempPostgres server;
    if (!server.isRunning()) {
        std::fprintf(stderr, "append_10k_postgres_ms: no PostgreSQL server could be started (package postgresql)\n%s",
            qPrintable(server.error()));
        return 1;
    }
    const double ms = timeAppend(server.connectString(), list, &ok);
    if (!ok)
        return 1;
    bench::report(QStringLiteral("append_10k_postgres_ms"), ms, QStringLiteral("ms"));
    return 0;
}

bench::Register registered("append_10k_postgres", run);

} // namespace
