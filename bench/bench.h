#pragma once

#include <QString>
#include <QTextStream>
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
