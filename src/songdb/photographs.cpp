// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/photographs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace songdb {

namespace err = platform::err;

Photographs::Photographs(const QString &appFolder)
    : m_appFolder(appFolder)
{
}

QString Photographs::folder() const
{
    return m_appFolder + QLatin1String("/Photographs");
}

bool Photographs::usableDiskId(const QString &diskId)
{
    if (diskId == QLatin1String(".") || diskId == QLatin1String(".."))
        return false;
    if (diskId.contains(QLatin1Char('/')) || diskId.contains(QLatin1Char('\\')))
        return false;
    for (const QChar c : diskId) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QString Photographs::refusalText(const QString &diskId)
{
    return QStringLiteral("The Disk label '") + diskId
        + QStringLiteral("' cannot name a photograph file: it must not contain '/', '\\' or a control character, "
                         "and must not be '.' or '..'.");
}

std::optional<QString> Photographs::fileFor(const QString &diskId) const
{
    if (!usableDiskId(diskId))
        return std::nullopt;
    return folder() + QLatin1Char('/') + diskId + QLatin1String(".jpg");
}

platform::Failure Photographs::store(const QString &diskId, const QString &picture) const
{
    const std::optional<QString> target = fileFor(diskId);
    if (!target) {
        return {err::InvalidArgument, refusalText(diskId)};
    }
    QFile source(picture);
    if (!source.exists())
        return {err::FileNotFound, QStringLiteral("File not found")};
    if (!source.open(QIODevice::ReadOnly))
        return {err::PathFileAccess, QStringLiteral("Path/File access error")};
    // Read first: the chosen picture may be the photograph file itself.
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return {err::PathFileAccess, source.errorString()};
    source.close();

    if (!QDir().mkpath(folder()))
        return {err::PathNotFound, QStringLiteral("Path not found")};
    QSaveFile out(*target);
    if (!out.open(QIODevice::WriteOnly))
        return {err::PathFileAccess, QStringLiteral("Path/File access error")};
    if (out.write(bytes) != bytes.size() || !out.commit())
        return {err::PathFileAccess, out.errorString()};
    return {};
}

} // namespace songdb
