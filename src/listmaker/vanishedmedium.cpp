// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/vanishedmedium.h"

#include <QFileInfo>

namespace listmaker {

namespace {

QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return path;
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

} // namespace

QString vanishedFolder(const QString &folder)
{
    // A folder that cannot be reached (an unplugged medium answers with an
    // I/O error) counts as gone just as a missing one does.
    QString path = folder;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path.isEmpty() || QFileInfo(path).isDir())
        return {};
    QString gone = path;
    for (QString up = parentOf(gone); up != gone && !QFileInfo(up).isDir(); up = parentOf(up))
        gone = up;
    return gone;
}

QString vanishedText(const QString &folder, const QString &consequence)
{
    return QStringLiteral("The folder ") + folder
        + QStringLiteral(" is no longer there: the medium was removed or the network share dropped.\r\n") + consequence;
}

} // namespace listmaker
