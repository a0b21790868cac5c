// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/makeslistwindow.h"

#include "listmaker/currentlist.h"
#include "listmaker/durationtext.h"
#include "listmaker/folderscanner.h"
#include "listmaker/listx.h"
#include "listmaker/tagtitles.h"
#include "listmaker/vanishedmedium.h"
#include "platform/mediaplayer.h"
#include "ui/desktop/busywork.h"
#include "ui/filelistbox.h"
#include "ui/navigator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <numeric>

// The Create File List window's list views, List-x names, title editing and playback.

namespace listmaker {

namespace {

using platform::Icon;

constexpr int RecordRole = Qt::UserRole;

} // namespace

QStringList MakeSListWindow::entries(const QListWidget *list)
{
    QStringList out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void MakeSListWindow::fillSorted(const QStringList &names, bool recordIndexes)
{
    QVector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&names](int a, int b) { return nameLess(names.at(a), names.at(b)); });
    m_list2->setUpdatesEnabled(false);
    for (const int i : order) {
        auto *item = new QListWidgetItem(names.at(i));
        if (recordIndexes)
            item->setData(RecordRole, i);
        m_list2->addItem(item);
    }
    m_list2->setUpdatesEnabled(true);
}

// ---- List views ----------------------------------------------------------

void MakeSListWindow::SortList_Click()
{
    ListMode = (ListMode + 1) % 3;
    static const char *const captions[] = {"Seqntl", "Sorted", "List-X"};
    m_label9->setText(QString::fromLatin1(captions[ListMode]));
    showListMode();
}

void MakeSListWindow::showListMode()
{
    m_list1->setVisible(ListMode == 0);
    m_list2->setVisible(ListMode == 1);
    m_list3->setVisible(ListMode == 2);
    m_list4->hide();
}

void MakeSListWindow::selectFirst(QListWidget *list)
{
    if (list->count() == 0)
        return;
    // Selecting runs the click handler even when the first line was already current.
    if (list->currentRow() == 0)
        emit list->itemClicked(list->item(0));
    else
        list->setCurrentRow(0);
}

void MakeSListWindow::selectFirstOfViews()
{
    selectFirst(m_list1);
    selectFirst(m_list2);
    selectFirst(m_list3);
}

void MakeSListWindow::showPosition(QListWidget *list)
{
    m_label16->setText(QString::number(list->currentRow() + 1) + QLatin1Char('/') + QString::number(list->count()));
}

void MakeSListWindow::List1_Click()
{
    showRecordEntry(m_list1);
}

// Sequential and List-x lines stand at their record's position.
void MakeSListWindow::showRecordEntry(QListWidget *list)
{
    const int p = list->currentRow();
    if (p < 0)
        return;
    showPosition(list);
    const QString entry = list->item(p)->text();
    if (ExistingDisksShown)
        m_label8->setText(entry);
    else if (p < m_state.currentList.storedCount())
        m_label8->setText(joinPath(m_state.currentList.Paths.at(p), entry));
}

void MakeSListWindow::List2_Click()
{
    const int p = m_list2->currentRow();
    if (p < 0)
        return;
    showPosition(m_list2);
    const QListWidgetItem *item = m_list2->item(p);
    const int record = item->data(RecordRole).isValid() ? item->data(RecordRole).toInt() : -1;
    if (ExistingDisksShown || record < 0)
        m_label8->setText(item->text());
    else if (record < m_state.currentList.storedCount())
        m_label8->setText(joinPath(m_state.currentList.Paths.at(record), item->text()));
}

void MakeSListWindow::List3_Click()
{
    showRecordEntry(m_list3);
}

// ---- List-x --------------------------------------------------------------

void MakeSListWindow::FillListX()
{
    m_list3->clear();
    m_list3->addItems(listx::FillListX(entries(m_list1)));
    selectFirst(m_list3);
}

void MakeSListWindow::Concatanate_Click()
{
    const listx::Limit limit = listx::parseLimit(m_text2->text());
    if (limit.failure.isSet()) {
        say(platform::errorText(limit.failure.number, limit.failure.description), Icon::None);
        return;
    }
    if (!listx::limitInRange(limit.value)) {
        say(QStringLiteral("Maximum characters in filenames must lie between 1 and 255."), Icon::Exclamation);
        m_text2->setText(listx::DefaultLimitText);
        return;
    }
    const listx::Names built = listx::Concatanate(entries(m_list1), limit.value, ExistingDisksShown);
    if (built.failure.isSet()) {
        say(platform::errorText(built.failure.number, built.failure.description), Icon::None);
        return;
    }
    m_list3->clear();
    m_list3->addItems(built.names);
    if (m_list3->count() == 0) {
        say(QStringLiteral("There is no list to concatenate."), Icon::Exclamation);
        m_concatanate->setEnabled(false);
        return;
    }
    selectFirst(m_list3);
    m_concatanate->setEnabled(false);
}

// ---- Title editing -------------------------------------------------------

void MakeSListWindow::EditList4_Click()
{
    if (m_editList4->text() == QLatin1String("Edit")) {
        enterEditingMode();
        return;
    }
    WriteEditedList();
    m_editList4->setText(QStringLiteral("Edit"));
    m_sortList->setEnabled(true);
    m_list3->show();
    m_list2->show();
    m_list1->show();
    m_list1->raise();
    m_list4->hide();
    m_label8->clear();
    // The counter follows the list now in front, as a click there would show it.
    if (m_list1->currentRow() >= 0)
        showPosition(m_list1);
    else
        m_label16->clear();
}

void MakeSListWindow::enterEditingMode()
{
    m_editList4->setText(QStringLiteral("Update"));
    m_list1->hide();
    m_list2->hide();
    m_list3->hide();
    m_list4->show();
    m_sortList->setEnabled(false);
    m_text4->setEnabled(false);
    m_label8->setText(QStringLiteral("EDITING MODE OF Quenmora"));
}

// Each line of List4 whose file has a title tag gets that title; nothing is
// stored before "Update".
void MakeSListWindow::TagTitles_Click()
{
    const CurrentList &list = m_state.currentList;
    const int total = m_list4->count();
    QStringList files;
    files.reserve(total);
    for (int p = 0; p < total; ++p) {
        // The file on disk has its scanned name, whatever the line says now.
        const bool known = p < list.storedCount() && p < m_list1->count();
        files << (known ? joinPath(list.Paths.at(p), m_list1->item(p)->text()) : QString());
    }

    m_making = true;
    setCursor(Qt::WaitCursor);
    TagTitles::Outcome outcome;
    {
        const platform::InputPause noInput; // clicks and keys meanwhile are dropped, not kept for later
        QElapsedTimer sinceShown;
        outcome = TagTitles::apply(entries(m_list4), files, [&](int done) {
            if (!sinceShown.isValid() || sinceShown.elapsed() >= ProgressEveryMs) {
                m_label6->setText(QStringLiteral("Reading tags: ") + QString::number(done) + QStringLiteral(" of ")
                                  + QString::number(total));
                QCoreApplication::processEvents();
                sinceShown.start();
            }
            // A request to stop ends the reading after the file in hand; the
            // program leaves once this command has returned.
            return !platform::requestWaiting();
        });
    }
    if (!outcome.vanishedFolder.isEmpty()) {
        m_label6->clear();
        unsetCursor();
        m_making = false;
        say(vanishedText(outcome.vanishedFolder, QStringLiteral("No title was taken: the titles are as they were.")),
            Icon::Exclamation);
        MediaChanged();
        return;
    }
    m_list4->setUpdatesEnabled(false);
    for (int p = 0; p < total; ++p) {
        QListWidgetItem *item = m_list4->item(p);
        if (item->text() != outcome.lines.at(p))
            item->setText(outcome.lines.at(p));
    }
    m_list4->setUpdatesEnabled(true);
    if (const QListWidgetItem *current = m_list4->currentItem())
        m_text4->setText(current->text()); // the box edits the line as it reads now
    m_label6->setText(TagTitles::summary(outcome.changed, total));
    unsetCursor();
    m_making = false;
    enterEditingMode();
}

void MakeSListWindow::WriteEditedList()
{
    CurrentList &list = m_state.currentList;
    const int n = qMin(list.storedCount(), m_list4->count());
    for (int i = 0; i < n; ++i)
        list.Titles[i] = m_list4->item(i)->text();
}

void MakeSListWindow::List4_Click()
{
    const int p = m_list4->currentRow();
    if (p < 0)
        return;
    m_text4->setText(m_list4->item(p)->text());
    m_text4->setEnabled(true);
    showPosition(m_list4);
}

void MakeSListWindow::Text4_Change()
{
    QListWidgetItem *item = m_list4->currentItem();
    if (!item || m_list4->currentRow() < 0)
        return;
    if (item->text() != m_text4->text())
        item->setText(m_text4->text());
}

// ---- Playback ------------------------------------------------------------

void MakeSListWindow::stopPlayer()
{
    // An empty name closes the file: no file of that name can be played by mistake.
    m_player3->setFileName(QString());
}

void MakeSListWindow::File1_DblClick()
{
    // The file list's own folder: it names the file shown even when its folder was set apart from Dir1.
    const QString full = joinPath(m_file1->path(), m_file1->fileName());
    m_label8->setText(full);
    if (m_file1->fileName().isEmpty() || !m_player3->setFileName(full)) {
        say(QStringLiteral("Can not play this format."), Icon::Exclamation);
        return;
    }
    m_label11->setText(audioDurationText(m_player3->duration()));
}

void MakeSListWindow::playListEntry(int p)
{
    // Disk IDs name no file; a position past the store has no record.
    if (ExistingDisksShown || p < 0 || p >= m_state.currentList.storedCount() || p >= m_list1->count())
        return;
    const QString full = joinPath(m_state.currentList.Paths.at(p), m_list1->item(p)->text());
    m_label8->setText(full);
    m_player3->setFileName(full);
    m_label11->setText(audioDurationText(m_player3->duration()));
}

void MakeSListWindow::List1_DblClick()
{
    playListEntry(m_list1->currentRow());
}

void MakeSListWindow::List3_DblClick()
{
    const int p = m_list3->currentRow();
    if (p < 0 || p >= m_list1->count())
        return;
    if (m_list1->currentRow() == p)
        List1_Click();
    else
        m_list1->setCurrentRow(p);
    playListEntry(p);
}

void MakeSListWindow::List2_DblClick()
{
    stopPlayer();
    List2_Click();
    say(QStringLiteral("You can not play files from the 'Sorted' list. Change to 'Sequential' list\r\n"
                       "or 'List-x' list mode and then double click a file to play."),
        Icon::Exclamation);
}

void MakeSListWindow::List4_DblClick()
{
    const int p = m_list4->currentRow();
    if (p < 0 || p >= m_state.currentList.storedCount() || p >= m_list1->count())
        return;
    // The file on disk keeps its scanned name whatever the edited title says.
    m_player3->setFileName(joinPath(m_state.currentList.Paths.at(p), m_list1->item(p)->text()));
}

} // namespace listmaker
