#pragma once

#include "platform/drives.h"

namespace platform {

// Drives as a Linux user knows them: the root file system, the home folder
// and mounted media, with volume labels.
class SystemDrives final : public Drives
{
public:
    QVector<Drive> list() const override;
    QString volumeLabel(const QString &folder) const override;
    bool isReady(const QString &drivePath) const override;
};

} // namespace platform
