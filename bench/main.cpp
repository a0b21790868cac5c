// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace bench {

std::vector<Benchmark> &registry()
{
    static std::vector<Benchmark> all;
    return all;
}

void report(const QString &name, double value, const QString &unit)
{
    const QString v = value >= 100 ? QString::number(value, 'f', 0) : QString::number(value, 'f', 2);
    std::printf("%s: %s %s\n", qPrintable(name), qPrintable(v), qPrintable(unit));
    std::fflush(stdout);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

struct TempDataSource::Private
{
    QTemporaryDir dir;
};

namespace {

// The driver manager caches odbc.ini for some seconds: one file and one
// database path serve the whole run, refreshed for each data source.
const QTemporaryDir &dataSourceHome()
{
    static const QTemporaryDir home = [] {
        QTemporaryDir h;
        QFile ini(h.filePath(QStringLiteral("odbc.ini")));
        if (ini.open(QIODevice::WriteOnly)) {
            ini.write("[Orvandel]\nDriver=SQLite3\nDatabase=" + h.filePath(QStringLiteral("DizaRore.sqlite")).toUtf8()
                      + "\nTimeout=2000\nStepAPI=1\n");
        }
        qputenv("ODBCINI", ini.fileName().toUtf8());
        return h;
    }();
    return home;
}

} // namespace

TempDataSource::TempDataSource()
    : d(new Private)
{
    QFile::remove(databaseFile());
    QFile::copy(QStringLiteral(QUENMORA_EMPTY_DB), databaseFile());
    QFile::setPermissions(databaseFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TempDataSource::~TempDataSource()
{
    delete d;
}

QString TempDataSource::folder() const
{
    return d->dir.path();
}

QString TempDataSource::databaseFile() const
{
    return dataSourceHome().filePath(QStringLiteral("DizaRore.sqlite"));
}

} // namespace bench

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication app(argc, argv);
    QStringList wanted = app.arguments().mid(1);
    if (wanted.contains(QStringLiteral("--list"))) {
        for (const auto &b : bench::registry())
            std::printf("%s%s\n", b.name, b.onRequest ? " (only when named)" : "");
        return 0;
    }
    int failures = 0;
    int ran = 0;
    for (const auto &b : bench::registry()) {
        if (wanted.isEmpty() ? b.onRequest : !wanted.contains(QString::fromLatin1(b.name)))
            continue;
        ++ran;
        if (b.run() != 0) {
            std::fprintf(stderr, "%s: failed\n", b.name);
            ++failures;
        }
    }
    if (ran == 0) {
        std::fprintf(stderr, "no benchmark of that name; --list shows them\n");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
