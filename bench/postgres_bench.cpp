#include "bench.h"

#include "listmaker/currentlist.h"
#include "songdb/songconnection.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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
    QTemporaryDir dir;
    const QString script = QStringLiteral(QUENMORA_SOURCE_DIR "/scripts/pg-server.sh");
    const QString port = QStringLiteral("54371");
    QProcess start;
    start.start(QStringLiteral("bash"), {script, QStringLiteral("start"), dir.filePath(QStringLiteral("pg")), port});
    if (!start.waitForFinished(120000) || start.exitCode() != 0) {
        std::fprintf(stderr, "append_10k_postgres_ms: no PostgreSQL server could be started (package postgresql)\n%s",
            start.readAllStandardError().constData());
        return 1;
    }
    const QString connect = QStringLiteral("DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=%1;DATABASE=quenmora;"
                                           "UID=sa;PWD=kzq;")
                                .arg(port);
    const double ms = timeAppend(connect, list, &ok);
    QProcess::execute(QStringLiteral("bash"), {script, QStringLiteral("stop"), dir.filePath(QStringLiteral("pg"))});
    if (!ok)
        return 1;
    bench::report(QStringLiteral("append_10k_postgres_ms"), ms, QStringLiteral("ms"));
    return 0;
}

bench::Register registered("append_10k_postgres", run);

} // namespace
