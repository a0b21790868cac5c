// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds folder trees for the scanner and window tests.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace treemaker {

// Writes a file (creating its folders) with the given content and, when
// given, last-modified time.
inline bool file(const QString &path, const QByteArray &content = QByteArray("x"),
                 const QDateTime &modified = QDateTime())
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        return false;
    f.close();
    if (!modified.isValid())
        return true;
    const timespec times[2] = {{modified.toSecsSinceEpoch(), 0}, {modified.toSecsSinceEpoch(), 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// A file whose name is given as raw bytes (which need not be valid UTF-8).
inline bool rawFile(const QByteArray &folder, const QByteArray &name, const QByteArray &content)
{
    const QByteArray path = folder + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ::close(fd);
    return ok;
}

inline bool folder(const QString &path)
{
    return QDir().mkpath(path);
}

// Lets other users read the tree: the tests that take another user's rights need it.
inline void openToAll(const QString &root)
{
    ::chmod(QFile::encodeName(root).constData(), 0755);
}

// Runs the rest of a scope without the super-user's right to read every
// folder, so that a folder without permissions really cannot be entered.
class WithoutRootRights
{
public:
    WithoutRootRights()
    {
        if (::geteuid() == 0)
            m_dropped = ::seteuid(65534) == 0;
    }
    ~WithoutRootRights()
    {
        // The rest of the test would run without its rights: stop here.
        if (m_dropped && ::seteuid(0) != 0)
            std::abort();
    }
    WithoutRootRights(const WithoutRootRights &) = delete;
    WithoutRootRights &operator=(const WithoutRootRights &) = delete;

private:
    bool m_dropped = false;
};

// Many empty files spread over folders: count files in folderCount folders.
inline bool spread(const QString &root, int count, int folderCount)
{
    for (int f = 0; f < folderCount; ++f) {
        if (!QDir().mkpath(root + QStringLiteral("/f%1").arg(f, 3, 10, QLatin1Char('0'))))
            return false;
    }
    for (int i = 0; i < count; ++i) {
        const QString sub = QStringLiteral("/f%1").arg(i % folderCount, 3, 10, QLatin1Char('0'));
        const QString path = root + sub + QStringLiteral("/file%1.mp3").arg(i, 6, 10, QLatin1Char('0'));
        const QByteArray raw = QFile::encodeName(path);
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

} // namespace treemaker
