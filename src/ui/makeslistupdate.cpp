// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/makeslistwindow.h"

#include "listmaker/currentlist.h"
#include "listmaker/diskcomparison.h"
#include "listmaker/vanishedmedium.h"
#include "ui/adddatawindow.h"
#include "ui/desktop/busywork.h"
#include "ui/folderlistbox.h"
#include "ui/navigator.h"
#include "ui/waitcursor.h"

#include <QLineEdit>
#include <QScopedValueRollback>

// The Create File List window's "Update Disk in Catalogue": the folder of
// Dir1 walked afresh and held against the records of the disk named in
// Text3; the current list, its file and the four lists are left alone.

namespace listmaker {

using platform::Button;
using platform::Buttons;
using platform::Icon;

void MakeSListWindow::UpdateDisk_Click()
{
    const QString typed = m_text3->text();
    if (typed.isEmpty()) {
        say(QStringLiteral("It is mandatory to give an ID to your DISK. Give a\r\n"
                           "unique name so that you can locate it afterwards."),
            Icon::Critical);
        return;
    }
    songdb::WaitCursor wait(this);
    const auto found = m_state.database.connection().findDisk(typed);
    if (!found.ok()) {
        wait.restore();
        say(platform::errorText(found.failure.number, found.failure.description), Icon::None);
        return;
    }
    if (!found.value) {
        wait.restore();
        say(diskupdatetext::noDisk(typed), Icon::Information);
        return;
    }
    const CataloguedDisk &disk = *found.value;

    // The walk and the comparison run beside the window, which keeps painting;
    // a medium changing meanwhile is taken in after them.
    const QString folder = m_dir1->path();
    DiskWalk walk;
    {
        const QScopedValueRollback<bool> making(m_making, true);
        platform::runBusy([&] { walkDisk(folder, disk.files, walk); });
    }
    wait.restore();
    if (!walk.readable) {
        say(QStringLiteral("Path not found"), Icon::None);
        return;
    }
    if (!walk.scanned.vanishedFolder.isEmpty()) {
        say(vanishedText(walk.scanned.vanishedFolder, QStringLiteral("The catalogue is as it was.")),
            Icon::Exclamation);
        MediaChanged();
        return;
    }
    if (walk.scanned.fileCount > CurrentList::Capacity) {
        say(QStringLiteral("Can't continue. Number of files exceeded the limit 10000."), Icon::Information);
        return;
    }
    const DiskComparison &comparison = walk.comparison;
    if (comparison.upToDate()) {
        say(diskupdatetext::upToDate(typed), Icon::Information);
        return;
    }
    platform::Message question;
    question.text = diskupdatetext::question(typed, comparison);
    question.icon = Icon::Question;
    question.buttons = Buttons::YesNo;
    question.defaultButton = Button::No;
    if (m_app.dialogs->message(question) != Button::Yes)
        return;

    songdb::WaitCursor writing(this);
    const DiskUpdate update = planDiskUpdate(disk, walk.list, comparison, m_text1->text());
    // One transaction: the disk's records all brought up to date, or left as they were.
    const platform::Failure failure = m_state.database.connection().updateDisk(update);
    if (failure.isSet()) {
        writing.restore();
        say(platform::errorText(failure.number, failure.description), Icon::None);
        return;
    }
    m_navigator.navigationWindow().CountRecords();
    writing.restore();
    say(diskupdatetext::done(typed, update), Icon::Information);
}

} // namespace listmaker
