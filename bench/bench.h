// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listmaker/currentlist.h"
#include "ui/desktop/helpviewer.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

// A benchmark prints one figure per line as "name: value unit".
namespace bench {

struct Benchmark
{
    const char *name;
    std::function<int()> run; // 0 on success
    bool onRequest;           // runs only when named
};

std::vector<Benchmark> &registry();

struct Register
{
    Register(const char *name, std::function<int()> run, bool onRequest = false)
    {
        registry().push_back({name, std::move(run), onRequest});
    }
};

void report(const QString &name, double value, const QString &unit);

// The middle of a set of timings.
double median(std::vector<double> values);
// Milliseconds since the timer started.
double msSince(const QElapsedTimer &timer);
// Milliseconds that find takes to walk the folder, printing for each file
// what the scanner reads of it; -1 when it fails.
double findWalkMs(const QString &root);

// Adds a sample catalogue of that many songs (500 per disk) straight to an
// SQLite database file, in one transaction.
bool seedSongs(const QString &databaseFile, int records);
// The same through an open connection to either engine, in one statement:
// perDisk songs to a disk (DISK0, DISK1, ...), titled "Song number N.mp3";
// every 7th has the occasion Party, else every 11th Wedding; every 13th
// the status Scratched; the others none.
bool seedCatalogue(const QString &connectionName, bool postgres, int records, int perDisk);
// Runs one statement on a catalogue through a connection of its own (an
// ODBC connect string); what went wrong goes to stderr.
bool runStatement(const QString &connect, const QString &statement);

// A current list of the largest size the store holds.
listmaker::CurrentList sampleList();

// The process's peak resident memory so far, in MB; resetPeakMemory()
// starts the count again from what is resident now.
double peakMegabytes();
void resetPeakMemory();

// A throw-away PostgreSQL server on the loopback address (scripts/pg-server.sh)
// with an empty table1, for as long as it lives.
class TempPostgres
{
public:
    TempPostgres();
    ~TempPostgres();
    bool isRunning() const { return m_running; }
    // Why it could not be started.
    QString error() const { return m_error; }
    // A connection string that names the server directly, as the program's
    // login sa, and one as the server's superuser, who owns table1.
    QString connectString() const;
    QString adminConnectString() const;
    int port() const { return m_port; }

private:
    struct Folder;
    std::unique_ptr<Folder> m_folder;
    int m_port = 0;
    bool m_running = false;
    QString m_error;
};

// Help that is never shown.
class NoHelp final : public platform::HelpViewer
{
public:
    std::optional<QString> showContents(const QString &, QWidget *) override { return std::nullopt; }
};

// A temporary application folder with an 'Orvandel' data source on a copy of
// the empty database; ODBCINI points at it while it lives.
class TempDataSource
{
public:
    TempDataSource();
    ~TempDataSource();
    QString folder() const;
    QString databaseFile() const;

private:
    struct Private;
    Private *d;
};

} // namespace bench
