// SPDX-License-Identifier: GPL-3.0-or-later
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

platform::Failure SavedList::write(const QString &path, const songdb::TitleLines &lines, const SaveProgress &progress)
{
    platform::TextLineWriter file(path);
    if (const platform::Failure f = file.open(); f.isSet())
        return f;
    for (int i = 0; i < lines.size(); ++i) {
        file.addLine(lines.utf8(i));
        if (progress && (i + 1) % 65536 == 0)
            progress(i + 1);
    }
    return file.finish();
}

} // namespace browse
