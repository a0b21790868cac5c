#include "platform/systemdrives.h"

#include <QDir>

namespace platform {

QVector<Drive> SystemDrives::list() const
{
    return {Drive{QStringLiteral("/"), QString(), QStringLiteral("/")},
            Drive{QDir::homePath(), QString(), QDir::homePath()}};
}

QString SystemDrives::volumeLabel(const QString &) const
{
    return {};
}

bool SystemDrives::isReady(const QString &drivePath) const
{
    return QDir(drivePath).exists();
}

} // namespace platform
