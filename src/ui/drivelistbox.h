// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drives.h"

#include <QComboBox>

namespace listmaker {

// The drive list: "/", the home folder and mounted media. Writing `path`
// acts as the user choosing the drive that holds that path. Only a choice
// of another drive than the one shown is a change: choosing the shown drive
// again does nothing.
class DriveListBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath)

public:
    explicit DriveListBox(platform::Drives *drives, QWidget *parent = nullptr);

    // Reads the drives again, keeping the shown one when it is still there.
    void refresh();
    // The same; true when the drive whose folders are shown is no longer
    // listed (the drive shown in its place has not been chosen yet).
    bool refreshLost();
    QString path() const;
    void setPath(const QString &path);
    // The listed drive that holds the folder (the longest match); empty when none.
    QString driveOf(const QString &folder) const;
    // Shows the drive that holds the folder without running the change.
    void showDriveOf(const QString &folder);

    void showPopup() override;

signals:
    // The user (or a write of `path`) chose another drive.
    void driveChosen();

private:
    int indexOfDriveHolding(const QString &folder) const;
    void choose(int index);

    platform::Drives *m_drives;
    // The drive whose folders are shown; it stays when a refresh loses it,
    // so that choosing the drive now listed in its place is a change.
    QString m_shown;
};

} // namespace listmaker
