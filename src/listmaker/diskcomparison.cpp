// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/diskcomparison.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <optional>
#include <utility>

namespace listmaker {

namespace {

// A folder below the root and two texts: a title, or a size and a date.
struct FileKey
{
    QString folder;
    QString first;
    QString second;

    bool operator==(const FileKey &o) const { return folder == o.folder && first == o.first && second == o.second; }
};

size_t qHash(const FileKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.folder, k.first, k.second);
}

QString withoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

// The folder below root ("" for root itself), or nothing when it lies elsewhere.
std::optional<QString> below(const QString &folder, const QString &root)
{
    if (folder == root)
        return QString(QLatin1String(""));
    if (root == QLatin1String("/")) {
        if (folder.startsWith(QLatin1Char('/')))
            return folder.mid(1);
        return std::nullopt;
    }
    if (folder.size() > root.size() + 1 && folder.startsWith(root) && folder.at(root.size()) == QLatin1Char('/'))
        return folder.mid(root.size() + 1);
    return std::nullopt;
}

// The folder and every folder above it, each with the folder below it.
QVector<std::pair<QString, QString>> rootsAbove(const QString &storedFolder)
{
    QVector<std::pair<QString, QString>> roots;
    const QString folder = withoutTrailingSlash(storedFolder);
    QString root = folder;
    for (;;) {
        if (const std::optional<QString> rest = below(folder, root))
            roots.append({root, *rest});
        const int slash = int(root.lastIndexOf(QLatin1Char('/')));
        if (slash < 0 || root == QLatin1String("/"))
            break;
        root = slash == 0 ? QStringLiteral("/") : root.left(slash);
    }
    return roots;
}

bool factsKnown(const CurrentList &walk, int file)
{
    // The walk leaves both empty when it could not read them.
    return !walk.Sizes.at(file).isEmpty() || !walk.DateTimes.at(file).isEmpty();
}

class Comparer
{
public:
    Comparer(const QString &walkedFolder, const CurrentList &walk, const QVector<StoredFile> &records)
        : m_walkedFolder(withoutTrailingSlash(walkedFolder))
        , m_walk(walk)
        , m_records(records)
        , m_fileMatched(walk.storedCount(), false)
    {
        indexWalk();
    }

    DiskComparison run()
    {
        DiskComparison result;
        result.storedRoot = chooseRoot();
        QVector<int> fileOf(m_records.size(), -1);
        QVector<QString> relative(m_records.size());
        QVector<bool> underRoot(m_records.size(), false);
        for (int r = 0; r < m_records.size(); ++r) {
            if (const auto rest = below(withoutTrailingSlash(m_records.at(r).folder), result.storedRoot)) {
                underRoot[r] = true;
                relative[r] = *rest;
            }
        }
        // Titles first, so that an edited title never takes the file that
        // carries its record's name.
        for (int r = 0; r < m_records.size(); ++r) {
            if (!underRoot.at(r))
                continue;
            const auto f = m_byTitle.constFind({relative.at(r), m_records.at(r).title, QString()});
            if (f != m_byTitle.cend() && !m_fileMatched.at(*f)) {
                fileOf[r] = *f;
                m_fileMatched[*f] = true;
            }
        }
        for (int r = 0; r < m_records.size(); ++r) {
            if (!underRoot.at(r) || fileOf.at(r) >= 0)
                continue;
            const StoredFile &s = m_records.at(r);
            const auto same = m_byFacts.find({relative.at(r), s.size, s.dateTime});
            if (same == m_byFacts.end())
                continue;
            // Files already taken stay taken: each list is passed over once, however alike its files are.
            SameFacts &files = *same;
            while (files.next < files.files.size() && m_fileMatched.at(files.files.at(files.next)))
                ++files.next;
            if (files.next < files.files.size()) {
                const int f = files.files.at(files.next++);
                fileOf[r] = f;
                m_fileMatched[f] = true;
            }
        }

        for (int r = 0; r < m_records.size(); ++r) {
            const int f = fileOf.at(r);
            if (f < 0) {
                result.goneRecords.append(r);
                continue;
            }
            const StoredFile &s = m_records.at(r);
            DiskComparison::Match m;
            m.record = r;
            m.file = f;
            m.changed = factsKnown(m_walk, f) && (m_walk.Sizes.at(f) != s.size || m_walk.DateTimes.at(f) != s.dateTime);
            m.moved = m_walk.Paths.at(f) != s.folder;
            if (m.changed)
                ++result.changedCount;
            result.matches.append(m);
        }
        for (int f = 0; f < m_fileMatched.size(); ++f) {
            if (!m_fileMatched.at(f))
                result.newFiles.append(f);
        }
        return result;
    }

private:
    void indexWalk()
    {
        QString lastFolder;
        QString lastRelative;
        bool lastInside = false;
        for (int f = 0; f < m_walk.storedCount(); ++f) {
            const QString &folder = m_walk.Paths.at(f);
            if (f == 0 || folder != lastFolder) {
                lastFolder = folder;
                const auto rest = below(withoutTrailingSlash(folder), m_walkedFolder);
                lastInside = rest.has_value();
                lastRelative = rest.value_or(QString());
                if (lastInside)
                    m_walkFolders.insert(lastRelative);
            }
            if (!lastInside)
                continue; // the walk names no file outside its folder; a record can match none there
            const FileKey byTitle {lastRelative, m_walk.Titles.at(f), QString()};
            if (!m_byTitle.contains(byTitle))
                m_byTitle.insert(byTitle, f);
            if (factsKnown(m_walk, f))
                m_byFacts[{lastRelative, m_walk.Sizes.at(f), m_walk.DateTimes.at(f)}].files.append(f);
        }
    }

    // Of the folders above the records' folders, the one under which most
    // records find a file (by title, or by size and date as an edited title
    // does). Of equally many, the walked folder itself, else the deepest.
    QString chooseRoot() const
    {
        QHash<QString, QVector<int>> recordsIn; // stored folder -> its records
        QStringList storedFolders;
        for (int r = 0; r < m_records.size(); ++r) {
            auto in = recordsIn.find(m_records.at(r).folder);
            if (in == recordsIn.end()) {
                storedFolders << m_records.at(r).folder;
                in = recordsIn.insert(m_records.at(r).folder, {});
            }
            in->append(r);
        }
        QHash<QString, int> matching;
        for (const QString &folder : storedFolders) {
            for (const auto &[root, rest] : rootsAbove(folder)) {
                int &count = matching[root];
                if (!m_walkFolders.contains(rest))
                    continue; // no file of the walk lies there
                for (const int r : recordsIn.value(folder)) {
                    const StoredFile &s = m_records.at(r);
                    if (m_byTitle.contains({rest, s.title, QString()})
                        || m_byFacts.contains({rest, s.size, s.dateTime}))
                        ++count;
                }
            }
        }
        QString best;
        int bestCount = -1;
        for (auto it = matching.cbegin(); it != matching.cend(); ++it) {
            if (it.value() > bestCount || (it.value() == bestCount && preferred(it.key(), best))) {
                best = it.key();
                bestCount = it.value();
            }
        }
        return best;
    }

    bool preferred(const QString &root, const QString &other) const
    {
        if ((root == m_walkedFolder) != (other == m_walkedFolder))
            return root == m_walkedFolder;
        if (root.size() != other.size())
            return root.size() > other.size();
        return root < other;
    }

    // Files of one folder with one size and date, in walk order, and the first not yet taken.
    struct SameFacts
    {
        QVector<int> files;
        int next = 0;
    };

    const QString m_walkedFolder;
    const CurrentList &m_walk;
    const QVector<StoredFile> &m_records;
    QVector<bool> m_fileMatched;
    QHash<FileKey, int> m_byTitle; // folder below the walked one and name -> file
    QHash<FileKey, SameFacts> m_byFacts; // folder, size and date -> files
    QSet<QString> m_walkFolders; // the folders of the walk's files, below the walked one
};

} // namespace

DiskComparison compareDisk(const QString &walkedFolder, const CurrentList &walk, const QVector<StoredFile> &records)
{
    return Comparer(walkedFolder, walk, records).run();
}

QString commonArtist(const QVector<StoredFile> &records)
{
    QHash<QString, int> counts;
    int most = 0;
    for (const StoredFile &s : records)
        most = qMax(most, ++counts[s.artist]);
    for (const StoredFile &s : records) {
        if (counts.value(s.artist) == most)
            return s.artist;
    }
    return QString();
}

DiskUpdate planDiskUpdate(
    const CataloguedDisk &disk, const CurrentList &walk, const DiskComparison &comparison, const QString &artistText)
{
    DiskUpdate u;
    u.diskId = disk.diskId;
    u.totalFilesText = QString::number(walk.FileCount);

    CurrentList &added = u.added;
    added.DiskLabel = disk.diskId;
    added.ArtistText = artistText.isEmpty() ? commonArtist(disk.files) : artistText;
    added.ExtensionText = QStringLiteral("NA");
    added.TotalFilesText = u.totalFilesText;
    added.FileCount = qint32(comparison.newFiles.size());
    for (int i = 0; i < comparison.newFiles.size(); ++i) {
        const int f = comparison.newFiles.at(i);
        added.Paths[i] = walk.Paths.at(f);
        added.Titles[i] = walk.Titles.at(f);
        added.Sizes[i] = walk.Sizes.at(f);
        added.DateTimes[i] = walk.DateTimes.at(f);
    }

    for (const int r : comparison.goneRecords)
        u.removed.append(disk.files.at(r).id);
    std::sort(u.removed.begin(), u.removed.end());
    for (const DiskComparison::Match &m : comparison.matches) {
        const qint32 id = disk.files.at(m.record).id;
        if (m.changed)
            u.changed.append({id, walk.Sizes.at(m.file), walk.DateTimes.at(m.file)});
        if (m.moved)
            u.moved.append({id, walk.Paths.at(m.file)});
    }
    return u;
}

QString storedDiskId(const QStringList &storedIds, const QString &typed)
{
    if (storedIds.contains(typed))
        return typed;
    const QString wanted = typed.toUpper();
    QString found;
    int matches = 0;
    for (const QString &id : storedIds) {
        if (id.toUpper() == wanted) {
            found = id;
            ++matches;
        }
    }
    return matches == 1 ? found : QString();
}

namespace diskupdatetext {

QString noDisk(const QString &diskId)
{
    return QStringLiteral("There is no Disk with ID mark '") + diskId + QStringLiteral("' in the catalogue.");
}

QString upToDate(const QString &diskId)
{
    return QStringLiteral("Disk '") + diskId + QStringLiteral("' is up to date.");
}

QString question(const QString &diskId, const DiskComparison &comparison)
{
    return QStringLiteral("Disk '") + diskId + QStringLiteral("': ") + QString::number(comparison.newFiles.size())
        + QStringLiteral(" new files, ") + QString::number(comparison.goneRecords.size())
        + QStringLiteral(" files gone, ") + QString::number(comparison.changedCount) + QStringLiteral(" changed, ")
        + QString::number(comparison.unchangedCount())
        + QStringLiteral(" unchanged.\r\nBring the catalogue up to date?");
}

QString done(const QString &diskId, const DiskUpdate &update)
{
    return QStringLiteral("Disk '") + diskId + QStringLiteral("' brought up to date: ")
        + QString::number(update.added.FileCount) + QStringLiteral(" added, ") + QString::number(update.removed.size())
        + QStringLiteral(" removed, ") + QString::number(update.changed.size()) + QStringLiteral(" changed.");
}

} // namespace diskupdatetext

void walkDisk(const QString &folder, const QVector<StoredFile> &records, DiskWalk &walk,
    const std::function<void(const QString &)> &onFolder)
{
    const QFileInfo start(folder);
    walk.readable = start.isDir() && start.isReadable() && start.isExecutable();
    if (!walk.readable)
        return;
    walk.scanned = ScanFolders(folder, walk.list, onFolder);
    if (walk.whole())
        walk.comparison = compareDisk(folder, walk.list, records);
}

} // namespace listmaker
