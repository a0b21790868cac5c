// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/appfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const QString HelpName = QStringLiteral("DizaRore.hlp");

QString absoluteOrEmpty(const QString &path)
{
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : QString();
}

// The home folder the system records for this user, for a start without HOME.
QString accountHome()
{
    const passwd *entry = getpwuid(getuid());
    return entry && entry->pw_dir ? absoluteOrEmpty(QString::fromLocal8Bit(entry->pw_dir)) : QString();
}

// The user's data folder as the XDG base directories define it: a relative
// XDG_DATA_HOME is to be ignored. *temporary tells whether no home was known.
QString dataHome(const QProcessEnvironment &environment, bool *temporary)
{
    *temporary = false;
    if (const QString xdg = absoluteOrEmpty(environment.value(QStringLiteral("XDG_DATA_HOME"))); !xdg.isEmpty())
        return xdg;
    QString home = absoluteOrEmpty(environment.value(QStringLiteral("HOME")));
    if (home.isEmpty())
        home = accountHome();
    if (home.isEmpty()) {
        *temporary = true;
        return QDir::tempPath() + QStringLiteral("/quenmora-") + QString::number(getuid());
    }
    return home + QStringLiteral("/.local/share");
}

constexpr mode_t PrivateFolder = S_IRWXU;

// Makes a folder private to the user; one that is there already is fine.
bool makePrivateFolder(const QString &path)
{
    return ::mkdir(QFile::encodeName(path).constData(), PrivateFolder) == 0 || errno == EEXIST;
}

// The user's own folder, itself and not a link to one.
bool ownRealFolder(const QString &path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid();
}

// Takes group and others out of a folder of the user's own (one that
// another user owns stays as it is).
bool keepPrivate(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::stat(name.constData(), &info) != 0)
        return false;
    if (info.st_uid != getuid() || (info.st_mode & (S_IRWXG | S_IRWXO)) == 0)
        return true;
    return ::chmod(name.constData(), PrivateFolder) == 0;
}

Failure notYourOwn(const AppFolderPlan &plan, const QString &path)
{
    return {err::PathFileAccess,
        QStringLiteral("Neither HOME nor the system's account names a home folder, so Quenmora would keep its "
                       "files in %1. %2 is not a folder of your own (another user may have made it), so Quenmora "
                       "will not use it. Set HOME to your home folder and start Quenmora again.")
            .arg(plan.folder, path)};
}

bool sameContents(const QString &a, const QString &b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    return fa.readAll() == fb.readAll();
}

Failure cannotWrite(const QString &path)
{
    return {err::PathFileAccess, QStringLiteral("Path/File access error: ") + path};
}

// Copies a shipped file; the copy is the user's, so it is made writable.
bool copyShipped(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to) && !QFile::remove(to))
        return false;
    if (!QFile::copy(from, to))
        return false;
    return QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// The shipped files an installed copy needs in its application folder, by
// their names there.
QStringList shippedNames(const QString &shippedFiles)
{
    QStringList names;
    if (QFileInfo::exists(shippedFiles + QLatin1Char('/') + HelpName))
        names << HelpName;
    const QDir root(shippedFiles);
    // The sounds only: a portable copy's own folder holds its disk photographs too.
    QDirIterator it(shippedFiles + QStringLiteral("/Photographs/Audio"), QDir::Files, QDirIterator::Subdirectories);
    QStringList below;
    while (it.hasNext())
        below << root.relativeFilePath(it.next());
    below.sort();
    return names + below;
}

// The installation's shipped files beside the program's folder; empty for a portable copy.
QString installationFiles(const QString &programFolder)
{
    const QString shipped = QDir::cleanPath(programFolder + QStringLiteral("/../share/quenmora"));
    return QFileInfo(shipped).isDir() ? shipped : QString();
}

} // namespace

AppFolderPlan planAppFolder(const QString &programFolder, const QProcessEnvironment &environment)
{
    const QString shipped = installationFiles(programFolder);
    if (shipped.isEmpty())
        return {programFolder, QString()};
    bool temporary = false;
    const QString home = dataHome(environment, &temporary);
    return {home + QStringLiteral("/Quenmora"), shipped, temporary};
}

AppFolderPlan chooseAppFolder(const QString &folder, const QString &programFolder)
{
    AppFolderPlan plan;
    plan.folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    plan.shippedFiles = installationFiles(programFolder);
    if (plan.shippedFiles.isEmpty())
        plan.shippedFiles = QDir::cleanPath(programFolder);
    plan.chosen = true;
    return plan;
}

Failure claimAppFolder(const AppFolderPlan &plan)
{
    if (plan.chosen) {
        const QFileInfo info(plan.folder);
        if ((info.isDir() || QDir().mkdir(plan.folder)) && QFileInfo(plan.folder).isWritable())
            return {};
        return {err::PathFileAccess,
            QStringLiteral("Quenmora cannot keep its files in %1: it is no folder that you may write in, and "
                           "cannot be made. Name an existing folder, or one in an existing folder, with "
                           "--app-folder.")
                .arg(plan.folder)};
    }
    if (!plan.installed())
        return {};
    const QString home = QFileInfo(plan.folder).path();
    if (plan.inTemporaryFolder) {
        // Anyone may make folders there: use only the user's own.
        for (const QString &path : {home, plan.folder}) {
            if (!makePrivateFolder(path))
                return cannotWrite(path);
            if (!ownRealFolder(path))
                return notYourOwn(plan, path);
            if (!keepPrivate(path))
                return cannotWrite(path);
        }
        return {};
    }
    // A data home that does not exist yet is private to the user, and the
    // application folder always is (what it holds is nobody else's business).
    if (!QFileInfo(home).isDir()) {
        if (!QDir().mkpath(QFileInfo(home).path()) || !makePrivateFolder(home))
            return cannotWrite(home);
    }
    if (!makePrivateFolder(plan.folder) || !keepPrivate(plan.folder))
        return cannotWrite(plan.folder);
    return {};
}

Failure copyShippedFiles(const AppFolderPlan &plan)
{
    if (!plan.installed() && !plan.chosen)
        return {};
    Failure failure;
    for (const QString &name : shippedNames(plan.shippedFiles)) {
        const QString from = plan.shippedFiles + QLatin1Char('/') + name;
        const QString to = plan.folder + QLatin1Char('/') + name;
        const bool present = QFileInfo::exists(to);
        if (present && (name != HelpName || sameContents(from, to)))
            continue;
        if (!QDir().mkpath(QFileInfo(to).path()) || !copyShipped(from, to))
            failure = cannotWrite(to); // the others may still be copied
    }
    return failure;
}

Failure prepareAppFolder(const AppFolderPlan &plan)
{
    if (const Failure claimed = claimAppFolder(plan); claimed.isSet())
        return claimed;
    return copyShippedFiles(plan);
}

} // namespace platform
