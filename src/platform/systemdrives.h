// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drives.h"

#include <QByteArray>
#include <QHash>

namespace platform {

// One line of a mount table (/proc/self/mounts or /etc/fstab).
struct MountEntry
{
    QString device;
    QString mountPoint;
    QString type;
};

// Parses a mount table, undoing the octal escapes (\040 for a blank);
// comments and short lines are left out.
QVector<MountEntry> parseMountTable(const QByteArray &text);

// The drives a user browses from: "/", the home folder, then every medium
// mounted (or set up in fstab but not mounted, such as an empty optical
// drive) under /media, /run/media or /mnt; pseudo file systems are left out.
// labels maps a device (as the mount table names it, links resolved) to its
// volume label.
QVector<Drive> drivesFrom(const QVector<MountEntry> &mounted, const QVector<MountEntry> &configured,
                          const QHash<QString, QString> &labels, const QString &home);

// The mount point of the mounted file system that holds the folder.
QString mountPointOf(const QVector<MountEntry> &mounted, const QString &folder);

// Drives as a Linux user knows them, with volume labels from /dev/disk/by-label.
class SystemDrives final : public Drives
{
public:
    QVector<Drive> list() const override;
    QString volumeLabel(const QString &folder) const override;
    bool isReady(const QString &drivePath) const override;
    // Watches the mount table (see MountWatch).
    std::unique_ptr<QObject> watch(std::function<void()> onChange) override;
};

} // namespace platform
