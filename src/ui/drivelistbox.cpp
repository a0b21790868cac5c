// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drivelistbox.h"

#include <QSignalBlocker>

namespace listmaker {

DriveListBox::DriveListBox(platform::Drives *drives, QWidget *parent)
    : QComboBox(parent)
    , m_drives(drives)
{
    refresh();
    m_shown = path();
    // Qt reports a choice even when it is the line already shown.
    connect(this, &QComboBox::activated, this, &DriveListBox::choose);
}

void DriveListBox::choose(int index)
{
    if (index < 0)
        return;
    const QString drive = itemData(index).toString();
    if (drive == m_shown)
        return;
    m_shown = drive;
    emit driveChosen();
}

void DriveListBox::refresh()
{
    const QString shown = path();
    const QSignalBlocker blocker(this);
    clear();
    if (!m_drives)
        return;
    for (const platform::Drive &d : m_drives->list())
        addItem(d.display, d.path);
    const int again = findData(shown);
    setCurrentIndex(again >= 0 ? again : (count() > 0 ? 0 : -1));
}

bool DriveListBox::refreshLost()
{
    refresh();
    return findData(m_shown) < 0;
}

QString DriveListBox::path() const
{
    return currentData().toString();
}

void DriveListBox::setPath(const QString &path)
{
    int index = findData(path);
    if (index < 0)
        index = indexOfDriveHolding(path);
    if (index < 0)
        return;
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    choose(index);
}

int DriveListBox::indexOfDriveHolding(const QString &folder) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString drive = itemData(i).toString();
        const bool holds = drive == QLatin1String("/") || folder == drive
            || folder.startsWith(drive.endsWith(QLatin1Char('/')) ? drive : drive + QLatin1Char('/'));
        if (holds && drive.size() > bestLength) {
            best = i;
            bestLength = drive.size();
        }
    }
    return best;
}

QString DriveListBox::driveOf(const QString &folder) const
{
    const int i = indexOfDriveHolding(folder);
    return i < 0 ? QString() : itemData(i).toString();
}

void DriveListBox::showDriveOf(const QString &folder)
{
    const int i = indexOfDriveHolding(folder);
    if (i < 0)
        return;
    m_shown = itemData(i).toString();
    if (i == currentIndex())
        return;
    const QSignalBlocker blocker(this);
    setCurrentIndex(i);
}

void DriveListBox::showPopup()
{
    // A medium put in since the list was read shows up.
    refresh();
    QComboBox::showPopup();
}

} // namespace listmaker
