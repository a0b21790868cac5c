#include "browse/savedlist.h"

#include "platform/textfile.h"

#include <QDir>

namespace browse {

QString SavedList::folder(const QString &appFolder)
{
    return appFolder + QLatin1String("/Results");
}

platform::Failure SavedList::prepareFolder(const QString &appFolder)
{
    if (QDir().mkpath(folder(appFolder)))
        return {};
    return {platform::err::PathNotFound, QStringLiteral("Path not found")};
}

platform::Failure SavedList::write(const QString &path, const QStringList &lines)
{
    return platform::writeTextLines(path, lines);
}

} // namespace browse
