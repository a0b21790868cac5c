#pragma once

#include "listmaker/currentlist.h"
#include "platform/helpviewer.h"

#include <QString>
#include <functional>
#include <vector>

// A benchmark prints one figure per line as "name: value unit".
namespace bench {

struct Benchmark
{
    const char *name;
    std::function<int()> run; // 0 on success
};

std::vector<Benchmark> &registry();

struct Register
{
    Register(const char *name, std::function<int()> run) { registry().push_back({name, std::move(run)}); }
};

void report(const QString &name, double value, const QString &unit);

// A temporary application folder with an 'Orvandel' data source on a copy of
// the empty database; ODBCINI points at it while it lives.
// Adds a sample catalogue of that many songs (500 per disk) straight to an
// SQLite database file, in one transaction.
bool seedSongs(const QString &databaseFile, int records);

// A current list of the largest size the store holds.
listmaker::CurrentList sampleList();

// The process's peak resident memory so far, in MB.
double peakMegabytes();

// Help that is never shown.
class NoHelp final : public platform::HelpViewer
{
public:
    std::optional<QString> showContents(const QString &, QWidget *) override { return std::nullopt; }
};

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
