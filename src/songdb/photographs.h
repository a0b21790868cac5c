// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QString>
#include <optional>

namespace songdb {

// A file that exists but cannot be read as a picture.
constexpr int InvalidPicture = 481;

// One photograph per disk: Photographs/<Disk ID>.jpg in the application
// folder. The Disk ID is typed by the user, so only IDs that name a file
// inside the folder are used.
class Photographs
{
public:
    explicit Photographs(const QString &appFolder);

    QString folder() const;

    // False for a Disk ID with '/', '\' or a control character, and for the
    // IDs "." and ".."; dots elsewhere ("Hits...", "Vol..2") are fine.
    static bool usableDiskId(const QString &diskId);
    // Why the Disk ID names no photograph file, for the user.
    static QString refusalText(const QString &diskId);

    // The photograph file of the disk (whether or not it exists); nothing
    // when the Disk ID cannot name a file.
    std::optional<QString> fileFor(const QString &diskId) const;

    // Copies the chosen picture, bytes unchanged, to the disk's photograph
    // file, replacing an older one; creates the folder when it is missing.
    // The old photograph stays whole when the copy fails.
    platform::Failure store(const QString &diskId, const QString &picture) const;

private:
    QString m_appFolder;
};

} // namespace songdb
