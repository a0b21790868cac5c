// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/folderscanner.h"

#include "listmaker/vanishedmedium.h"
#include "platform/datetext.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace listmaker {

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool nameLess(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    if (c != 0)
        return c < 0;
    return a < b;
}

namespace {

enum class Kind { File, Folder, LinkedFolder, Other };

struct Entry
{
    QByteArray raw;
    QString name;
    QString key; // case-folded name, the sort key
    Kind kind = Kind::Other;
    bool statted = false;
    struct stat st {};
};

bool entryLess(const Entry &a, const Entry &b)
{
    const int c = a.key.compare(b.key);
    if (c != 0)
        return c < 0;
    return a.name < b.name;
}

// One open folder: its visible entries, split into files and folders.
class OpenFolder
{
public:
    explicit OpenFolder(const QByteArray &rawPath, bool followLink)
    {
        int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
        if (!followLink)
            flags |= O_NOFOLLOW;
        const int fd = ::open(rawPath.constData(), flags);
        if (fd < 0)
            return;
        m_dir = ::fdopendir(fd);
        if (!m_dir)
            ::close(fd);
    }
    ~OpenFolder()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    OpenFolder(const OpenFolder &) = delete;
    OpenFolder &operator=(const OpenFolder &) = delete;

    bool isOpen() const { return m_dir != nullptr; }
    int fd() const { return ::dirfd(m_dir); }

    // False when the folder could not be read to its end.
    bool read(QVector<Entry> *files, QVector<Entry> *folders)
    {
        for (;;) {
            errno = 0;
            const dirent *d = ::readdir(m_dir);
            if (!d)
                break;
            if (d->d_name[0] == '.')
                continue; // ".", ".." and hidden names
            Entry e;
            e.raw = QByteArray(d->d_name);
            e.kind = classify(d->d_type, e);
            if (e.kind == Kind::Other)
                continue;
            e.name = QFile::decodeName(e.raw);
            e.key = e.name.toCaseFolded();
            if (e.kind == Kind::File)
                files->append(std::move(e));
            else
                folders->append(std::move(e));
        }
        const bool whole = errno == 0;
        std::sort(files->begin(), files->end(), entryLess);
        std::sort(folders->begin(), folders->end(), entryLess);
        return whole;
    }

    // Size and date of a file; a link is followed to the file it names.
    bool statFile(Entry &e) const
    {
        if (!e.statted)
            e.statted = ::fstatat(fd(), e.raw.constData(), &e.st, 0) == 0 && !S_ISDIR(e.st.st_mode);
        return e.statted;
    }

private:
    Kind classify(unsigned char type, Entry &e) const
    {
        switch (type) {
        case DT_DIR:
            return Kind::Folder;
        case DT_REG:
            return Kind::File;
        case DT_LNK:
            return classifyLink(e);
        case DT_UNKNOWN: {
            struct stat st {};
            if (::fstatat(fd(), e.raw.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                return Kind::Other;
            if (S_ISDIR(st.st_mode))
                return Kind::Folder;
            if (S_ISLNK(st.st_mode))
                return classifyLink(e);
            if (S_ISREG(st.st_mode)) {
                // Keep what was read: it is the file's own size and date.
                e.st = st;
                e.statted = true;
                return Kind::File;
            }
            return Kind::Other;
        }
        default:
            return Kind::Other; // devices, pipes and sockets are no files to catalogue
        }
    }

    Kind classifyLink(Entry &e) const
    {
        struct stat st {};
        if (::fstatat(fd(), e.raw.constData(), &st, 0) != 0)
            return Kind::Other; // a dangling link names nothing
        if (S_ISDIR(st.st_mode))
            return Kind::LinkedFolder;
        if (!S_ISREG(st.st_mode))
            return Kind::Other;
        e.st = st;
        e.statted = true;
        return Kind::File;
    }

    DIR *m_dir = nullptr;
};

QByteArray joinRaw(const QByteArray &folder, const QByteArray &name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

class Walk
{
public:
    explicit Walk(FolderScanner::Visitor &visitor)
        : m_visitor(visitor)
    {
    }

    int folders() const { return m_folders; }
    QString vanished() const { return m_vanished; }

    void folder(const QByteArray &raw, const QString &path, bool isStart)
    {
        m_visitor.enterFolder(path);
        OpenFolder dir(raw, isStart);
        if (!dir.isOpen()) {
            // Skipped when it is there but closed to the user; gone, it ends the walk.
            m_vanished = vanishedFolder(path);
            return;
        }
        struct stat self {};
        if (::fstat(dir.fd(), &self) != 0)
            return;
        const std::pair<dev_t, ino_t> id{self.st_dev, self.st_ino};
        // A folder mounted inside itself would otherwise be walked without end.
        if (std::find(m_ancestors.cbegin(), m_ancestors.cend(), id) != m_ancestors.cend())
            return;

        QVector<Entry> files;
        QVector<Entry> subfolders;
        if (!dir.read(&files, &subfolders)) {
            m_vanished = vanishedFolder(path);
            if (!m_vanished.isEmpty())
                return;
        }
        for (Entry &f : files) {
            FolderScanner::FileFacts facts;
            if (m_visitor.wantsFacts() && dir.statFile(f)) {
                facts.known = true;
                facts.size = qint64(f.st.st_size);
                facts.modifiedSecs = qint64(f.st.st_mtim.tv_sec);
            }
            m_visitor.file(path, f.name, facts);
        }

        // Links to folders are listed for browsing but never walked into.
        int met = 0;
        for (const Entry &s : subfolders) {
            if (s.kind == Kind::Folder)
                ++met;
        }
        m_ancestors.push_back(id);
        for (const Entry &s : subfolders) {
            if (s.kind == Kind::Folder)
                folder(joinRaw(raw, s.raw), joinPath(path, s.name), false);
            if (!m_vanished.isEmpty())
                break;
        }
        m_ancestors.pop_back();
        m_folders += met;
    }

private:
    FolderScanner::Visitor &m_visitor;
    QVector<std::pair<dev_t, ino_t>> m_ancestors;
    int m_folders = 0;
    QString m_vanished;
};

class ListFiller final : public FolderScanner::Visitor
{
public:
    ListFiller(CurrentList &list, const std::function<void(const QString &)> &onFolder)
        : m_list(list)
        , m_onFolder(onFolder)
    {
    }

    void enterFolder(const QString &folder) override
    {
        if (m_onFolder)
            m_onFolder(folder);
    }

    bool wantsFacts() const override { return m_list.FileCount < CurrentList::Capacity; }

    void file(const QString &folder, const QString &name, const FolderScanner::FileFacts &facts) override
    {
        const int i = m_list.FileCount++;
        if (i >= CurrentList::Capacity)
            return;
        m_list.Paths[i] = folder;
        m_list.Titles[i] = name;
        if (facts.known) {
            m_list.Sizes[i] = QString::number(facts.size);
            m_list.DateTimes[i] = dateText(facts.modifiedSecs);
        } else {
            // Never leave another file's size or date of an earlier scan here.
            m_list.Sizes[i].clear();
            m_list.DateTimes[i].clear();
        }
    }

private:
    // Files of one folder often share a time; formatting is the costly part.
    QString dateText(qint64 secs)
    {
        if (secs != m_lastSecs || m_lastText.isNull()) {
            m_lastSecs = secs;
            m_lastText = platform::generalDateText(QDateTime::fromSecsSinceEpoch(secs));
        }
        return m_lastText;
    }

    CurrentList &m_list;
    const std::function<void(const QString &)> &m_onFolder;
    qint64 m_lastSecs = 0;
    QString m_lastText;
};

} // namespace

FolderListing listFolder(const QString &folder)
{
    FolderListing listing;
    OpenFolder dir(QFile::encodeName(folder), true);
    if (!dir.isOpen())
        return listing;
    listing.readable = true;
    QVector<Entry> files;
    QVector<Entry> folders;
    dir.read(&files, &folders);
    listing.files.reserve(files.size());
    for (const Entry &e : files)
        listing.files << e.name;
    listing.folders.reserve(folders.size());
    for (const Entry &e : folders)
        listing.folders << e.name;
    return listing;
}

int FolderScanner::walk(const QString &startFolder, Visitor &visitor, QString *vanished)
{
    Walk w(visitor);
    w.folder(QFile::encodeName(startFolder), startFolder, true);
    if (vanished) {
        // A medium removed while the last folder's files were read leaves
        // that folder readable to its end, but not the medium.
        *vanished = w.vanished().isEmpty() ? vanishedFolder(startFolder) : w.vanished();
    }
    return w.folders();
}

ScanOutcome ScanFolders(const QString &startFolder, CurrentList &list,
                        const std::function<void(const QString &)> &onFolder)
{
    list.FileCount = 0;
    ListFiller filler(list, onFolder);
    ScanOutcome outcome;
    outcome.foldersScanned = FolderScanner::walk(startFolder, filler, &outcome.vanishedFolder);
    outcome.fileCount = list.FileCount;
    return outcome;
}

} // namespace listmaker
