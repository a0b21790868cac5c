#include "platform/appfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
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
// XDG_DATA_HOME is to be ignored.
QString dataHome(const QProcessEnvironment &environment)
{
    if (const QString xdg = absoluteOrEmpty(environment.value(QStringLiteral("XDG_DATA_HOME"))); !xdg.isEmpty())
        return xdg;
    QString home = absoluteOrEmpty(environment.value(QStringLiteral("HOME")));
    if (home.isEmpty())
        home = accountHome();
    if (home.isEmpty())
        return QDir::tempPath() + QStringLiteral("/quenmora-") + QString::number(getuid());
    return home + QStringLiteral("/.local/share");
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
    QDirIterator it(shippedFiles + QStringLiteral("/Photographs"), QDir::Files, QDirIterator::Subdirectories);
    QStringList below;
    while (it.hasNext())
        below << root.relativeFilePath(it.next());
    below.sort();
    return names + below;
}

} // namespace

AppFolderPlan planAppFolder(const QString &programFolder, const QProcessEnvironment &environment)
{
    const QString shipped = QDir::cleanPath(programFolder + QStringLiteral("/../share/quenmora"));
    if (!QFileInfo(shipped).isDir())
        return {programFolder, QString()};
    return {dataHome(environment) + QStringLiteral("/Quenmora"), shipped};
}

Failure prepareAppFolder(const AppFolderPlan &plan)
{
    if (!plan.installed())
        return {};
    // A data folder that does not exist yet is private to the user.
    const QString home = QFileInfo(plan.folder).path();
    if (!QFileInfo(home).isDir()) {
        if (!QDir().mkpath(QFileInfo(home).path())
            || !QDir().mkdir(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return cannotWrite(home);
    }
    if (!QDir().mkpath(plan.folder))
        return cannotWrite(plan.folder);

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

} // namespace platform
