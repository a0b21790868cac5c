#include "listmaker/diskcomparison.h"

#include <QTest>

using namespace listmaker;

namespace {

// "folder/name|size|date" -> folder, name, size, date (the last '/' splits folder and name).
QStringList parts(const QString &line)
{
    const QStringList fields = line.split(QLatin1Char('|'));
    const QString path = fields.value(0);
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    const QString folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
    return {folder, path.mid(slash + 1), fields.value(1), fields.value(2)};
}

CurrentList walkOf(const QStringList &files)
{
    CurrentList walk;
    walk.FileCount = qint32(files.size());
    for (int i = 0; i < files.size(); ++i) {
        const QStringList p = parts(files.at(i));
        walk.Paths[i] = p.at(0);
        walk.Titles[i] = p.at(1);
        walk.Sizes[i] = p.at(2);
        walk.DateTimes[i] = p.at(3);
    }
    return walk;
}

QVector<StoredFile> recordsOf(const QStringList &lines, const QString &artist = QStringLiteral("Artist"))
{
    QVector<StoredFile> records;
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList p = parts(lines.at(i));
        records.append({qint32(100 + i), p.at(0), p.at(1), p.at(2), p.at(3), artist});
    }
    return records;
}

QString pathOf(const QString &folder, const QString &name)
{
    return folder == QLatin1String("/") ? QString(folder + name) : QString(folder + QLatin1Char('/') + name);
}

} // namespace

class DiskComparisonTest : public QObject
{
    Q_OBJECT

private slots:
    void compare_data()
    {
        QTest::addColumn<QString>("walked");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("root"); // "*": not checked
        QTest::addColumn<QStringList>("matched"); // "record path>file path", in the records' order
        QTest::addColumn<QStringList>("changed"); // record paths
        QTest::addColumn<QStringList>("newFiles"); // file paths, in walk order
        QTest::addColumn<QStringList>("gone"); // record paths, in their order

        const QStringList three = {"/m/CD/a.mp3|10|d1", "/m/CD/b.mp3|20|d2", "/m/CD/sub/c.mp3|30|d3"};
        const QStringList threePaths = {"/m/CD/a.mp3", "/m/CD/b.mp3", "/m/CD/sub/c.mp3"};
        QTest::newRow("as catalogued") << "/m/CD" << three << three << "/m/CD"
                                       << QStringList {"/m/CD/a.mp3>/m/CD/a.mp3", "/m/CD/b.mp3>/m/CD/b.mp3",
                                              "/m/CD/sub/c.mp3>/m/CD/sub/c.mp3"}
                                       << QStringList {} << QStringList {} << QStringList {};

        QTest::newRow("new, gone, size and date changed")
            << "/m/CD"
            << QStringList {"/m/CD/a.mp3|11|d1", "/m/CD/b.mp3|20|d9", "/m/CD/new.mp3|5|d5", "/m/CD/sub/c.mp3|30|d3"}
            << QStringList {"/m/CD/a.mp3|10|d1", "/m/CD/b.mp3|20|d2", "/m/CD/old.mp3|7|d7", "/m/CD/sub/c.mp3|30|d3"}
            << "/m/CD"
            << QStringList {"/m/CD/a.mp3>/m/CD/a.mp3", "/m/CD/b.mp3>/m/CD/b.mp3", "/m/CD/sub/c.mp3>/m/CD/sub/c.mp3"}
            << QStringList {"/m/CD/a.mp3", "/m/CD/b.mp3"} << QStringList {"/m/CD/new.mp3"}
            << QStringList {"/m/CD/old.mp3"};

        // An edited title finds its file by size and date in its own folder only.
        QTest::newRow("edited titles")
            << "/m/CD"
            << QStringList {"/m/CD/01 track.mp3|10|d1", "/m/CD/02 track.mp3|20|d2", "/m/CD/x/03 track.mp3|30|d3"}
            << QStringList {"/m/CD/Yesterday|10|d1", "/m/CD/Help!|20|d2", "/m/CD/Let It Be|30|d3"} << "/m/CD"
            << QStringList {"/m/CD/Yesterday>/m/CD/01 track.mp3", "/m/CD/Help!>/m/CD/02 track.mp3"} << QStringList {}
            << QStringList {"/m/CD/x/03 track.mp3"} << QStringList {"/m/CD/Let It Be"};

        // Two records under one name (a title edited into its neighbour's): the
        // name goes to the first, the other finds its file by size and date.
        QTest::newRow("a title edited into another's name")
            << "/m/CD" << QStringList {"/m/CD/a.mp3|10|d1", "/m/CD/b.mp3|20|d2"}
            << QStringList {"/m/CD/a.mp3|10|d1", "/m/CD/a.mp3|20|d2"} << "/m/CD"
            << QStringList {"/m/CD/a.mp3>/m/CD/a.mp3", "/m/CD/a.mp3>/m/CD/b.mp3"} << QStringList {} << QStringList {}
            << QStringList {};

        // Edited titles take the files of their size and date in walk order,
        // passing over the one that a name has taken.
        QTest::newRow("edited titles among alike files")
            << "/m/CD" << QStringList {"/m/CD/x1|1|d", "/m/CD/x2|1|d", "/m/CD/x3|1|d"}
            << QStringList {"/m/CD/Edited A|1|d", "/m/CD/x2|1|d", "/m/CD/Edited B|1|d"} << "/m/CD"
            << QStringList {"/m/CD/Edited A>/m/CD/x1", "/m/CD/x2>/m/CD/x2", "/m/CD/Edited B>/m/CD/x3"} << QStringList {}
            << QStringList {} << QStringList {};

        // A changed file keeps its record by its name, not a neighbour's by size and date.
        QTest::newRow("names before sizes")
            << "/m/CD" << QStringList {"/m/CD/a.mp3|10|d1", "/m/CD/b.mp3|11|d1"}
            << QStringList {"/m/CD/a.mp3|11|d1", "/m/CD/b.mp3|10|d1"} << "/m/CD"
            << QStringList {"/m/CD/a.mp3>/m/CD/a.mp3", "/m/CD/b.mp3>/m/CD/b.mp3"}
            << QStringList {"/m/CD/a.mp3", "/m/CD/b.mp3"} << QStringList {} << QStringList {};

        QTest::newRow("one name in two folders")
            << "/m/CD" << QStringList {"/m/CD/A/song.mp3|10|d1", "/m/CD/B/song.mp3|21|d2", "/m/CD/C/song.mp3|30|d3"}
            << QStringList {"/m/CD/A/song.mp3|10|d1", "/m/CD/B/song.mp3|20|d2", "/m/CD/D/song.mp3|30|d3"} << "/m/CD"
            << QStringList {"/m/CD/A/song.mp3>/m/CD/A/song.mp3", "/m/CD/B/song.mp3>/m/CD/B/song.mp3"}
            << QStringList {"/m/CD/B/song.mp3"} << QStringList {"/m/CD/C/song.mp3"} << QStringList {"/m/CD/D/song.mp3"};

        QTest::newRow("mounted elsewhere")
            << "/run/media/ann/CD01"
            << QStringList {"/run/media/ann/CD01/a.mp3|10|d1", "/run/media/ann/CD01/sub/c.mp3|31|d3",
                   "/run/media/ann/CD01/sub/d.mp3|40|d4"}
            << QStringList {"/media/ann/CD01/a.mp3|10|d1", "/media/ann/CD01/sub/c.mp3|30|d3"} << "/media/ann/CD01"
            << QStringList {"/media/ann/CD01/a.mp3>/run/media/ann/CD01/a.mp3",
                   "/media/ann/CD01/sub/c.mp3>/run/media/ann/CD01/sub/c.mp3"}
            << QStringList {"/media/ann/CD01/sub/c.mp3"} << QStringList {"/run/media/ann/CD01/sub/d.mp3"}
            << QStringList {};

        // The subfolder matches one file as the medium's top folder would; the
        // real top folder matches three.
        QTest::newRow("mounted elsewhere, the folder most files match")
            << "/mnt/usb" << QStringList {"/mnt/usb/c.mp3|1|d", "/mnt/usb/x.mp3|2|d", "/mnt/usb/sub/c.mp3|3|d"}
            << QStringList {"/media/ann/USB/c.mp3|1|d", "/media/ann/USB/x.mp3|2|d", "/media/ann/USB/sub/c.mp3|3|d"}
            << "/media/ann/USB"
            << QStringList {"/media/ann/USB/c.mp3>/mnt/usb/c.mp3", "/media/ann/USB/x.mp3>/mnt/usb/x.mp3",
                   "/media/ann/USB/sub/c.mp3>/mnt/usb/sub/c.mp3"}
            << QStringList {} << QStringList {} << QStringList {};

        QTest::newRow("catalogued from the root folder")
            << "/" << QStringList {"/a.mp3|1|d", "/music/b.mp3|2|d"} << QStringList {"/a.mp3|1|d", "/music/b.mp3|2|d"}
            << "/" << QStringList {"/a.mp3>/a.mp3", "/music/b.mp3>/music/b.mp3"} << QStringList {} << QStringList {}
            << QStringList {};

        QTest::newRow("empty folder") << "/m/CD" << QStringList {} << three << "*" << QStringList {} << QStringList {}
                                      << QStringList {} << threePaths;
        QTest::newRow("disk without records") << "/m/CD" << three << QStringList {} << "" << QStringList {}
                                              << QStringList {} << threePaths << QStringList {};

        // A file whose size and date could not be read keeps its record as it is.
        QTest::newRow("unreadable size and date")
            << "/m/CD" << QStringList {"/m/CD/a.mp3||"} << QStringList {"/m/CD/a.mp3|10|d1"} << "/m/CD"
            << QStringList {"/m/CD/a.mp3>/m/CD/a.mp3"} << QStringList {} << QStringList {} << QStringList {};
    }
    void compare()
    {
        QFETCH(QString, walked);
        QFETCH(QStringList, files);
        QFETCH(QStringList, records);
        QFETCH(QString, root);
        QFETCH(QStringList, matched);
        QFETCH(QStringList, changed);
        QFETCH(QStringList, newFiles);
        QFETCH(QStringList, gone);

        const CurrentList walk = walkOf(files);
        const QVector<StoredFile> stored = recordsOf(records);
        const DiskComparison c = compareDisk(walked, walk, stored);

        const auto recordPath = [&](int r) { return pathOf(stored.at(r).folder, stored.at(r).title); };
        const auto filePath = [&](int f) { return pathOf(walk.Paths.at(f), walk.Titles.at(f)); };
        if (root != QLatin1String("*"))
            QCOMPARE(c.storedRoot, root);
        QStringList gotMatched;
        QStringList gotChanged;
        for (const DiskComparison::Match &m : c.matches) {
            gotMatched << recordPath(m.record) + QLatin1Char('>') + filePath(m.file);
            if (m.changed)
                gotChanged << recordPath(m.record);
            QCOMPARE(m.moved, walk.Paths.at(m.file) != stored.at(m.record).folder);
        }
        QStringList gotNew;
        for (const int f : c.newFiles)
            gotNew << filePath(f);
        QStringList gotGone;
        for (const int r : c.goneRecords)
            gotGone << recordPath(r);
        QCOMPARE(gotMatched, matched);
        QCOMPARE(gotChanged, changed);
        QCOMPARE(gotNew, newFiles);
        QCOMPARE(gotGone, gone);
        QCOMPARE(c.changedCount, int(changed.size()));
        QCOMPARE(c.unchangedCount(), int(matched.size() - changed.size()));
        QCOMPARE(c.upToDate(), newFiles.isEmpty() && gone.isEmpty() && changed.isEmpty());
    }

    void questionCountsEveryKind_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("question");
        QTest::newRow("mixed") << QStringList {"/d/a|1|t", "/d/b|3|t", "/d/n|1|u"}
                               << QStringList {"/d/a|1|t", "/d/b|2|t", "/d/g|9|t"}
                               << "Disk 'CD 7': 1 new files, 1 files gone, 1 changed, 1 unchanged.\r\n"
                                  "Bring the catalogue up to date?";
        QTest::newRow("empty folder") << QStringList {} << QStringList {"/d/a|1|t", "/d/b|2|t"}
                                      << "Disk 'CD 7': 0 new files, 2 files gone, 0 changed, 0 unchanged.\r\n"
                                         "Bring the catalogue up to date?";
    }
    void questionCountsEveryKind()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, records);
        QFETCH(QString, question);
        const DiskComparison c = compareDisk(QStringLiteral("/d"), walkOf(files), recordsOf(records));
        QCOMPARE(diskupdatetext::question(QStringLiteral("CD 7"), c), question);
    }

    void planWritesWhatAnAppendWould_data()
    {
        QTest::addColumn<QString>("artistText");
        QTest::addColumn<QStringList>("artists"); // of the stored records, in key order
        QTest::addColumn<QString>("artist"); // of the new records
        QTest::newRow("typed") << "Typed" << QStringList {"A", "B", "B"} << "Typed";
        QTest::newRow("most records") << "" << QStringList {"A", "B", "B"} << "B";
        QTest::newRow("a tie goes to the first") << "" << QStringList {"B", "A", "A", "B"} << "B";
        QTest::newRow("most carry none") << "" << QStringList {"", "", "A"} << "";
    }
    void planWritesWhatAnAppendWould()
    {
        QFETCH(QString, artistText);
        QFETCH(QStringList, artists);
        QFETCH(QString, artist);
        CataloguedDisk disk;
        disk.diskId = QStringLiteral("cd07");
        const QStringList stored = {"/old/a|1|t", "/old/b|2|t", "/old/g|3|t", "/old/h|4|t"};
        for (int i = 0; i < artists.size(); ++i) {
            const QStringList p = parts(stored.at(i));
            disk.files.append({qint32(50 - i), p.at(0), p.at(1), p.at(2), p.at(3), artists.at(i)});
        }
        const CurrentList walk = walkOf({"/new/a|1|t", "/new/b|5|s", "/new/n1|7|u", "/new/sub/n2|8|v"});
        const DiskComparison c = compareDisk(QStringLiteral("/new"), walk, disk.files);
        const DiskUpdate u = planDiskUpdate(disk, walk, c, artistText);

        QCOMPARE(u.diskId, QStringLiteral("cd07"));
        QCOMPARE(u.totalFilesText, QStringLiteral("4"));
        QCOMPARE(u.added.FileCount, 2);
        QCOMPARE(u.added.DiskLabel, QStringLiteral("cd07"));
        QCOMPARE(u.added.ArtistText, artist);
        QCOMPARE(u.added.ExtensionText, QStringLiteral("NA"));
        QCOMPARE(u.added.TotalFilesText, QStringLiteral("4"));
        QCOMPARE(u.added.Paths.mid(0, 2), (QVector<QString> {"/new", "/new/sub"}));
        QCOMPARE(u.added.Titles.mid(0, 2), (QVector<QString> {"n1", "n2"}));
        QCOMPARE(u.added.Sizes.mid(0, 2), (QVector<QString> {"7", "8"}));
        QCOMPARE(u.added.DateTimes.mid(0, 2), (QVector<QString> {"u", "v"}));
        // Keys ascending, whatever order the records came in.
        const QVector<qint32> removed = artists.size() == 4 ? QVector<qint32> {47, 48} : QVector<qint32> {48};
        QCOMPARE(u.removed, removed);
        QCOMPARE(u.changed.size(), 1);
        QCOMPARE(u.changed.at(0).id, 49);
        QCOMPARE(u.changed.at(0).size, QStringLiteral("5"));
        QCOMPARE(u.changed.at(0).dateTime, QStringLiteral("s"));
        QCOMPARE(u.moved.size(), 2);
        QCOMPARE(u.moved.at(0).id, 50);
        QCOMPARE(u.moved.at(0).folder, QStringLiteral("/new"));
        QCOMPARE(diskupdatetext::done(QStringLiteral("CD07"), u),
            QStringLiteral("Disk 'CD07' brought up to date: 2 added, %1 removed, 1 changed.").arg(removed.size()));
    }

    void storedDiskId_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found");
        QTest::newRow("equal") << QStringList {"CD01", "CD02"} << "CD01"
                               << "CD01";
        QTest::newRow("letter case") << QStringList {"CD01", "CD02"} << "cd01"
                                     << "CD01";
        QTest::newRow("equal wins over case") << QStringList {"CD01", "cd01"} << "cd01"
                                              << "cd01";
        QTest::newRow("two apart from case") << QStringList {"CD01", "cd01"} << "Cd01"
                                             << "";
        QTest::newRow("blanks count") << QStringList {"CD01"} << " CD01"
                                      << "";
        QTest::newRow("none") << QStringList {"CD01"} << "CD9"
                              << "";
        // Letters fold as the Disk-ID check of a new list folds them.
        QTest::newRow("folded as the new-list check") << QStringList {"Straße"} << "STRASSE"
                                                      << "Straße";
    }
    void storedDiskId()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, typed);
        QFETCH(QString, found);
        QCOMPARE(listmaker::storedDiskId(stored, typed), found);
    }

    void messages()
    {
        QCOMPARE(diskupdatetext::noDisk(QStringLiteral("CD 9")),
            QStringLiteral("There is no Disk with ID mark 'CD 9' in the catalogue."));
        QCOMPARE(diskupdatetext::upToDate(QStringLiteral("CD 9")), QStringLiteral("Disk 'CD 9' is up to date."));
    }
};

QTEST_GUILESS_MAIN(DiskComparisonTest)
#include "diskcomparison_test.moc"
