// SPDX-License-Identifier: GPL-3.0-or-later
// Making a list: the whole "Make &List" on a 10001-file tree through the real
// window, and the walk of a 100000-file tree against find(1).

#include "bench.h"
#include "listwindowrig.h"

#include "listmaker/currentlist.h"
#include "listmaker/folderscanner.h"
#include "ui/adddatawindow.h"
#include "ui/desktop/appcontext.h"
#include "ui/desktop/qtmediaplayer.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

bool makeTree(const QString &root, int files, int folders)
{
    // Folders two deep, as music lies: artist/album.
    QStringList paths;
    for (int f = 0; f < folders; ++f) {
        const QString path =
            root + QStringLiteral("/artist%1/album%2").arg(f / 10, 3, 10, QLatin1Char('0')).arg(f % 10);
        if (!QDir().mkpath(path))
            return false;
        paths << path;
    }
    for (int i = 0; i < files; ++i) {
        const QString title = QStringLiteral("/%1 - Track title number.mp3").arg(i, 6, 10, QLatin1Char('0'));
        const QByteArray name = QFile::encodeName(paths.at(i % folders) + title);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

int makeList10k()
{
    QTemporaryDir trees;
    const QString tree = trees.filePath(QStringLiteral("tree"));
    if (!makeTree(tree, listmaker::CurrentList::Capacity, 500))
        return 1;

    bench::ListWindowRig rig(&platform::makeQtMediaPlayer);
    listmaker::MakeSListWindow &window = *rig.window;
    window.show();

    std::vector<double> runs;
    for (int run = 0; run < 4; ++run) {
        window.findChild<QAction *>(QStringLiteral("ClearList"))->trigger();
        window.findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", tree);
        window.findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("BENCH%1").arg(run));
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->clear();
        QElapsedTimer t;
        t.start();
        window.findChild<QPushButton *>(QStringLiteral("AddList"))->click();
        QCoreApplication::processEvents();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (rig.dialogs.last != QLatin1String("LIST of Files and other informations CREATED.")
            || window.findChild<QListWidget *>(QStringLiteral("List2"))->count() != listmaker::CurrentList::Capacity)
            return 1;
        if (run > 0) // the first run warms the cache
            runs.push_back(ms);
    }
    bench::report(QStringLiteral("make_list_10k_ms"), bench::median(runs), QStringLiteral("ms"));
    bench::report(QStringLiteral("make_list_10k_peak_mb"), bench::peakMegabytes(), QStringLiteral("MB"));
    return 0;
}

class FindLikeVisitor final : public listmaker::FolderScanner::Visitor
{
public:
    void file(const QString &folder, const QString &name, const listmaker::FolderScanner::FileFacts &facts) override
    {
        // The same fields find prints: folder, name, size and time.
        const QString line = folder + QLatin1Char(' ') + name + QLatin1Char(' ') + QString::number(facts.size)
            + QLatin1Char(' ') + QString::number(facts.modifiedSecs);
        bytes += line.size();
        ++files;
    }
    qint64 bytes = 0;
    qint64 files = 0;
};

int scan100k()
{
    QTemporaryDir trees;
    const QString tree = trees.filePath(QStringLiteral("tree"));
    const int count = 100000;
    if (!makeTree(tree, count, 1000))
        return 1;

    std::vector<double> walks;
    std::vector<double> stores;
    std::vector<double> finds;
    for (int run = 0; run < 4; ++run) {
        QElapsedTimer t;
        t.start();
        FindLikeVisitor visitor;
        listmaker::FolderScanner::walk(tree, visitor);
        const double walk = double(t.nsecsElapsed()) / 1e6;
        if (visitor.files != count)
            return 1;

        listmaker::CurrentList list;
        t.restart();
        listmaker::ScanFolders(tree, list);
        const double store = double(t.nsecsElapsed()) / 1e6;

        const double found = bench::findWalkMs(tree);
        if (found < 0)
            return 1;
        if (run > 0) {
            walks.push_back(walk);
            stores.push_back(store);
            finds.push_back(found);
        }
    }
    const double walk = bench::median(walks);
    const double found = bench::median(finds);
    bench::report(QStringLiteral("scan_100k_ms"), walk, QStringLiteral("ms"));
    bench::report(QStringLiteral("scan_100k_into_list_ms"), bench::median(stores), QStringLiteral("ms"));
    bench::report(QStringLiteral("find_100k_ms"), found, QStringLiteral("ms"));
    bench::report(QStringLiteral("scan_vs_find"), walk / found, QStringLiteral("x"));
    return 0;
}

const bench::Register makeListBench("make_list_10k", makeList10k);
const bench::Register scanBench("scan_100k", scan100k);

} // namespace
