// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing a disk up to date: a 10,001-file disk in a catalogue of a million
// records, with 100 files changed, 100 new and 100 gone, through the real
// window on SQLite and on PostgreSQL; then the same once the medium is
// mounted elsewhere (every record's folder moves). The reference is find(1)
// walking the same folder.

#include "bench.h"
#include "listwindowrig.h"

#include "listmaker/currentlist.h"
#include "listmaker/folderscanner.h"
#include "songdb/songconnection.h"
#include "ui/adddatawindow.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int DiskFiles = listmaker::CurrentList::Capacity;
constexpr int Catalogue = 1000000;
constexpr int Folders = 500;
constexpr int Touched = 100; // files changed, new and gone, each

// Answers Yes to the question and keeps the last text.
class YesDialogs final : public platform::Dialogs
{
public:
    platform::Button message(const platform::Message &m) override
    {
        last = m.text;
        return m.buttons == platform::Buttons::YesNo ? platform::Button::Yes : platform::Button::Ok;
    }
    std::optional<QString> openFileName(const platform::FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileRequest &) override { return std::nullopt; }
    QString last;
};

// Both working windows loaded, as the program loads them at its start.
class Rig final : public shell::Navigator
{
public:
    Rig(const QString &folder, const QString &connectString)
        : state(connectString)
    {
        bench::furnish(app, folder, dialogs, clock, help, drives, bench::SilentPlayer::factory(false));
        createList = std::make_unique<listmaker::MakeSListWindow>(app, state, *this);
        navigation = std::make_unique<songdb::AddDataWindow>(app, state, *this);
    }

    void showMain() override { }
    void showProgramInfo(int) override { }
    listmaker::MakeSListWindow &createListWindow() override { return *createList; }
    songdb::AddDataWindow &navigationWindow() override { return *navigation; }

    YesDialogs dialogs;
    platform::SystemClock clock;
    bench::NoHelp help;
    bench::OneDrive drives;
    platform::AppContext app;
    shell::SharedState state;
    std::unique_ptr<listmaker::MakeSListWindow> createList;
    std::unique_ptr<songdb::AddDataWindow> navigation;
};

QString fileName(const QString &root, int i)
{
    return root
        + QStringLiteral("/artist%1/album%2/%3 - Track title number.mp3")
              .arg(i % Folders / 10, 3, 10, QLatin1Char('0'))
              .arg(i % Folders % 10)
              .arg(i, 6, 10, QLatin1Char('0'));
}

bool writeFile(const QString &path, int size)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::ftruncate(fd, size) == 0;
    ::close(fd);
    return ok;
}

bool makeDisk(const QString &root)
{
    for (int f = 0; f < Folders; ++f) {
        if (!QDir().mkpath(QFileInfo(fileName(root, f)).path()))
            return false;
    }
    for (int i = 0; i < DiskFiles; ++i) {
        if (!writeFile(fileName(root, i), 1000 + i % 7))
            return false;
    }
    return true;
}

// 100 files grow, 100 are deleted, 100 new ones appear; round tells the
// rounds apart so that each touches other files.
bool touchDisk(const QString &root, int round)
{
    for (int k = 0; k < Touched; ++k) {
        const int base = round * 3 * Touched * 7 + k * 7;
        if (!writeFile(fileName(root, base), 5000 + k))
            return false;
        if (!QFile::remove(fileName(root, base + 1)))
            return false;
        if (!writeFile(
                fileName(root, base + 2).replace(QStringLiteral(".mp3"), QStringLiteral(" (new %1).mp3").arg(round)),
                77))
            return false;
    }
    return true;
}

double findMs(const QString &root)
{
    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) {
        const double ms = bench::findWalkMs(root);
        if (ms < 0)
            return -1;
        runs.push_back(ms);
    }
    return bench::median(runs);
}

int diskUpdate(bool postgres, const QString &prefix)
{
    const auto fail = [&](const QString &what) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(prefix), qPrintable(what));
        return 1;
    };
    std::unique_ptr<bench::TempPostgres> server;
    std::unique_ptr<bench::TempDataSource> source;
    QString connect = songdb::DefaultConnectString;
    if (postgres) {
        server = std::make_unique<bench::TempPostgres>();
        if (!server->isRunning())
            return fail(
                QStringLiteral("no PostgreSQL server could be started (package postgresql)\n") + server->error());
        connect = server->connectString();
    } else {
        source = std::make_unique<bench::TempDataSource>();
    }
    const auto report = [&](const char *name, double value, const char *unit) {
        bench::report(prefix + QLatin1Char('_') + QLatin1String(name), value, QLatin1String(unit));
    };

    QTemporaryDir folder;
    const QString media = folder.filePath(QStringLiteral("media/bench/DISK"));
    if (!makeDisk(media))
        return fail(QStringLiteral("the disk's folder could not be made"));
    {
        const QString seeder = QStringLiteral("bench-disk-catalogue");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), seeder);
            db.setDatabaseName(connect);
            if (!db.open() || !bench::seedCatalogue(seeder, postgres, Catalogue - DiskFiles, 1000))
                return fail(QStringLiteral("the catalogue could not be made: ") + db.lastError().text());
            db.close();
        }
        QSqlDatabase::removeDatabase(seeder);
        songdb::SongConnection connection(connect);
        listmaker::CurrentList list;
        listmaker::ScanFolders(media, list);
        list.DiskLabel = QStringLiteral("UPDATED");
        list.ArtistText = QStringLiteral("Bench");
        list.ExtensionText = QStringLiteral("NA");
        list.TotalFilesText = QString::number(list.FileCount);
        if (!connection.appendList(list).ok())
            return fail(QStringLiteral("the disk could not be appended"));
    }
    if (postgres && !bench::runStatement(server->adminConnectString(), QStringLiteral("vacuum analyze table1")))
        return 1;

    Rig rig(folder.path(), connect);
    if (rig.navigation->totalRecords() != Catalogue)
        return fail(QStringLiteral("the catalogue holds %1 records").arg(rig.navigation->totalRecords()));
    listmaker::MakeSListWindow &window = *rig.createList;
    window.show();
    const auto update = [&](const QString &root) {
        window.findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", root);
        window.findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("UPDATED"));
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->clear();
        QElapsedTimer timer;
        timer.start();
        window.findChild<QAction *>(QStringLiteral("UpdateDisk"))->trigger();
        return bench::msSince(timer);
    };
    const QString done = QStringLiteral("Disk 'UPDATED' brought up to date: 100 added, 100 removed, 100 changed.");

    if (!touchDisk(media, 0))
        return fail(QStringLiteral("the disk could not be changed"));
    const double walk = findMs(media);
    const double ms = update(media);
    if (rig.dialogs.last != done)
        return fail(rig.dialogs.last);
    report("ms", ms, "ms");
    report("find_10k_ms", walk, "ms");
    report("vs_find", ms / walk, "x");

    // The medium mounted elsewhere: every record's folder moves as well.
    const QString run = folder.filePath(QStringLiteral("run/media/bench/DISK"));
    if (!QDir().mkpath(QFileInfo(run).path()) || !QDir().rename(media, run) || !touchDisk(run, 1))
        return fail(QStringLiteral("the disk could not be moved"));
    const double moved = update(run);
    if (rig.dialogs.last != done)
        return fail(rig.dialogs.last);
    report("mounted_elsewhere_ms", moved, "ms");
    if (rig.navigation->totalRecords() != Catalogue)
        return fail(QStringLiteral("the catalogue holds %1 records").arg(rig.navigation->totalRecords()));
    return 0;
}

const bench::Register sqlite(
    "disk_update_1m_sqlite", [] { return diskUpdate(false, QStringLiteral("disk_update_1m_sqlite")); });
const bench::Register postgres(
    "disk_update_1m_postgres", [] { return diskUpdate(true, QStringLiteral("disk_update_1m_postgres")); });

} // namespace
