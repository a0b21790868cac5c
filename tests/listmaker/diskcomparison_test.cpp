// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/diskcomparison.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace listmaker;

namespace {

QString join(const QString &folder, const QString &below)
{
    return folder == QLatin1String("/") ? QString(folder + below) : QString(folder + QLatin1Char('/') + below);
}

QString below(const QString &path, const QString &folder)
{
    return path.mid(folder == QLatin1String("/") ? 1 : folder.size() + 1);
}

// "path|size|date" below the folder -> folder, name, size, date.
QStringList parts(const QString &folder, const QString &line)
{
    const QStringList fields = line.split(QLatin1Char('|'));
    const QString path = join(folder, fields.value(0));
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    return {slash == 0 ? QStringLiteral("/") : path.left(slash), path.mid(slash + 1), fields.value(1), fields.value(2)};
}

} // namespace

class DiskComparisonTest : public QObject
{
    Q_OBJECT

private slots:
    // files: the fresh walk of the folder walked; records: the disk's records,
    // catalogued from root; each as "path|size|date" below its folder. result:
    // "record>file" for each match in the records' order ("*": changed), then
    // "+file" for each new file in walk order and "-record" for each gone one.
    void compare_data()
    {
        QTest::addColumn<QString>("walked");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("result");
        using L = QStringList;
        const L three = {"a.mp3|10|d1", "b.mp3|20|d2", "sub/c.mp3|30|d3"};

        QTest::newRow("new, gone, size and date changed")
            << "/m/CD" << L {"a.mp3|11|d1", "b.mp3|20|d9", "new.mp3|5|d5", "sub/c.mp3|30|d3"} << "/m/CD"
            << L {"a.mp3|10|d1", "b.mp3|20|d2", "old.mp3|7|d7", "sub/c.mp3|30|d3"}
            << "a.mp3>a.mp3* b.mp3>b.mp3* sub/c.mp3>sub/c.mp3 +new.mp3 -old.mp3";
        // An edited title finds its file by size and date in its own folder only.
        QTest::newRow("edited titles") << "/m/CD" << L {"01 t.mp3|10|d1", "02 t.mp3|20|d2", "x/03 t.mp3|30|d3"}
                                       << "/m/CD" << L {"Yesterday|10|d1", "Help!|20|d2", "Let It Be|30|d3"}
                                       << "Yesterday>01 t.mp3 Help!>02 t.mp3 +x/03 t.mp3 -Let It Be";
        // Two records under one name: the name goes to the first, the other finds its file by size and date.
        QTest::newRow("a title edited into another's name")
            << "/m/CD" << L {"a.mp3|10|d1", "b.mp3|20|d2"} << "/m/CD" << L {"a.mp3|10|d1", "a.mp3|20|d2"}
            << "a.mp3>a.mp3 a.mp3>b.mp3";
        // Edited titles take files of their size and date in walk order, passing over one a name took.
        QTest::newRow("edited titles among alike files")
            << "/m/CD" << L {"x1|1|d", "x2|1|d", "x3|1|d"} << "/m/CD" << L {"Edited A|1|d", "x2|1|d", "Edited B|1|d"}
            << "Edited A>x1 x2>x2 Edited B>x3";
        // A changed file keeps its record by its name, not a neighbour's by size and date.
        QTest::newRow("names before sizes") << "/m/CD" << L {"a.mp3|10|d1", "b.mp3|11|d1"} << "/m/CD"
                                            << L {"a.mp3|11|d1", "b.mp3|10|d1"} << "a.mp3>a.mp3* b.mp3>b.mp3*";
        QTest::newRow("one name in two folders")
            << "/m/CD" << L {"A/song.mp3|10|d1", "B/song.mp3|21|d2", "C/song.mp3|30|d3"} << "/m/CD"
            << L {"A/song.mp3|10|d1", "B/song.mp3|20|d2", "D/song.mp3|30|d3"}
            << "A/song.mp3>A/song.mp3 B/song.mp3>B/song.mp3* +C/song.mp3 -D/song.mp3";
        QTest::newRow("mounted elsewhere")
            << "/run/media/ann/CD01" << L {"a.mp3|10|d1", "sub/c.mp3|31|d3", "sub/d.mp3|4|d"} << "/media/ann/CD01"
            << L {"a.mp3|10|d1", "sub/c.mp3|30|d3"} << "a.mp3>a.mp3 sub/c.mp3>sub/c.mp3* +sub/d.mp3";
        // Its subfolder matches one file as the medium's top folder would; the top folder matches three.
        QTest::newRow("mounted elsewhere, the folder most files match")
            << "/mnt/usb" << L {"c.mp3|1|d", "x.mp3|2|d", "sub/c.mp3|3|d"} << "/media/ann/USB"
            << L {"c.mp3|1|d", "x.mp3|2|d", "sub/c.mp3|3|d"} << "c.mp3>c.mp3 x.mp3>x.mp3 sub/c.mp3>sub/c.mp3";
        QTest::newRow("catalogued from the root folder")
            << "/" << L {"a.mp3|1|d", "music/b.mp3|2|d"} << "/" << L {"a.mp3|1|d", "music/b.mp3|2|d"}
            << "a.mp3>a.mp3 music/b.mp3>music/b.mp3";
        QTest::newRow("empty folder") << "/m/CD" << L {} << "/m/CD" << three << "-a.mp3 -b.mp3 -sub/c.mp3";
        QTest::newRow("disk without records") << "/m/CD" << three << "" << L {} << "+a.mp3 +b.mp3 +sub/c.mp3";
        // A file whose size and date could not be read keeps its record as it is.
        QTest::newRow("unreadable size and date")
            << "/m/CD" << L {"a.mp3||"} << "/m/CD" << L {"a.mp3|10|d1"} << "a.mp3>a.mp3";
    }
    void compare()
    {
        QFETCH(QString, walked);
        QFETCH(QStringList, files);
        QFETCH(QString, root);
        QFETCH(QStringList, records);
        CurrentList walk;
        walk.FileCount = qint32(files.size());
        for (int i = 0; i < files.size(); ++i) {
            const QStringList p = parts(walked, files.at(i));
            walk.Paths[i] = p.at(0);
            walk.Titles[i] = p.at(1);
            walk.Sizes[i] = p.at(2);
            walk.DateTimes[i] = p.at(3);
        }
        QVector<StoredFile> stored;
        for (int i = 0; i < records.size(); ++i) {
            const QStringList p = parts(root, records.at(i));
            stored.append({qint32(100 + i), p.at(0), p.at(1), p.at(2), p.at(3), QString()});
        }

        const DiskComparison c = compareDisk(walked, walk, stored);
        const auto record = [&](int r) { return below(join(stored.at(r).folder, stored.at(r).title), root); };
        const auto file = [&](int f) { return below(join(walk.Paths.at(f), walk.Titles.at(f)), walked); };
        QStringList result;
        for (const DiskComparison::Match &m : c.matches)
            result << record(m.record) + QLatin1Char('>') + file(m.file)
                    + (m.changed ? QStringLiteral("*") : QString());
        for (const int f : c.newFiles)
            result << QLatin1Char('+') + file(f);
        for (const int r : c.goneRecords)
            result << QLatin1Char('-') + record(r);
        QCOMPARE(c.storedRoot, root);
        QTEST(result.join(QLatin1Char(' ')), "result");
    }

    // A disk whose medium is gone, or goes halfway through the walk, is no
    // empty disk: nothing is compared, so no record is taken for gone.
    void aWalkCutShortComparesNothing_data()
    {
        QTest::addColumn<int>("goesAt"); // the folder read when the medium goes; -1: before the walk
        QTest::addColumn<bool>("whole");
        QTest::newRow("there throughout") << 1000 << true;
        QTest::newRow("gone before") << -1 << false;
        QTest::newRow("gone halfway") << 1 << false;
    }
    void aWalkCutShortComparesNothing()
    {
        QFETCH(int, goesAt);
        QTemporaryDir dir;
        const QString medium = dir.filePath(QStringLiteral("CD"));
        QVector<StoredFile> records;
        for (const char *folder : {"a", "b", "c"}) {
            QVERIFY(QDir().mkpath(medium + QLatin1Char('/') + QLatin1String(folder)));
            QFile file(medium + QLatin1Char('/') + QLatin1String(folder) + QStringLiteral("/1.mp3"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            records.append({qint32(records.size() + 1), medium + QLatin1Char('/') + QLatin1String(folder),
                QStringLiteral("1.mp3"), QStringLiteral("0"), QString(), QString()});
        }
        records.append({9, medium, QStringLiteral("old.mp3"), QStringLiteral("0"), QString(), QString()});
        const auto takeAway = [&] { QVERIFY(QDir().rename(medium, dir.filePath(QStringLiteral("away")))); };
        if (goesAt < 0)
            takeAway();
        int read = 0;
        DiskWalk walk;
        walkDisk(medium, records, walk, [&](const QString &) {
            if (read++ == goesAt)
                takeAway();
        });
        QTEST(walk.whole(), "whole");
        QCOMPARE(walk.readable, goesAt >= 0);
        QCOMPARE(walk.scanned.vanishedFolder, walk.readable && !walk.whole() ? medium : QString());
        // Only the one record without its file is gone, and only when the walk was whole.
        QCOMPARE(walk.comparison.goneRecords.size(), walk.whole() ? 1 : 0);
    }

    // The window's messages show the plain cases: a Disk ID typed in other
    // letters, one that names none, one of two that differ in letter case only.
    void storedDiskId_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("found");
        QTest::newRow("equal wins over case") << "cd01" << QStringList {"CD01", "cd01"} << "cd01";
        QTest::newRow("blanks count") << " CD01" << QStringList {"CD01"} << "";
        // Letters fold as the Disk-ID check of a new list folds them.
        QTest::newRow("folded as the new-list check") << "STRASSE" << QStringList {"Straße"} << "Straße";
    }
    void storedDiskId()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, stored);
        QTEST(listmaker::storedDiskId(stored, typed), "found");
    }
};

QTEST_GUILESS_MAIN(DiskComparisonTest)
#include "diskcomparison_test.moc"
