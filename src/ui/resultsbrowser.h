// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browse/resultlist.h"
#include "platform/failure.h"
#include "songdb/songrecord.h"
#include "songdb/titlelines.h"
#include "ui/desktop/appcontext.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QListView;
class QLineEdit;

namespace shell {
struct SharedState;
}

namespace songdb {
struct AddDataForm;
class AddDataWindow;
class LinesQuery;
class SongConnection;
class WaitCursor;
template <typename T>
struct DbResult;
} // namespace songdb

namespace browse {

class FindAsYouType;
class LineListModel;

// The results area of the navigation window: the all-records list
// DataList1, the result list List1 with found titles, labels or the titles
// on several disks, the field search and saving the visible list.
class ResultsBrowser : public QObject
{
    Q_OBJECT

public:
    ResultsBrowser(songdb::AddDataForm &form, platform::AppContext &app, shell::SharedState &state,
                   songdb::AddDataWindow &window);
    ~ResultsBrowser() override;

    void LoadFieldNames();
    // Refills DataList1 and selects its first line; false when the titles
    // could not be read (the failure has been shown).
    bool Searcher_AllTitle();
    void ReloadAllList();
    void DisplayFindResult();
    void SearchDisks_Click();
    // Selects a line of DataList1 as a click on it does.
    void selectAllRecordsLine(int row);
    // The lines DataList1 holds.
    int allRecordsLines() const;

    ListMode mode() const { return m_mode; }
    bool allListLoaded() const { return m_allListLoaded; }

    // Finding as you type; cancelTyping() stops it before another command
    // takes over the lists.
    FindAsYouType &findAsYouType() { return *m_typing; }
    void cancelTyping();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowAll_Click();
    // The first record, line 0 of DataList1 selected, and the all-records title.
    void showFirstOfAllRecords();
    void DataList1_Click(int row);
    void DataList1_DblClick();
    void recordGone();
    void Find_Click();
    // Found lines (at least one) on show as Find shows them: List1 in
    // found-results mode, its first line selected and its record shown.
    void showFound(songdb::TitleLines found);
    // What finding as you type found: the first lines while more come, then all.
    void typedSearchStarted();
    void showTypedLines(const songdb::TitleLines &more, int found);
    void showTypedResult(songdb::TitleLines &lines, const platform::Failure &failure);
    void showNoMatch();
    void List1_Click(int row);
    void labelList(ListMode mode);
    void Duplicates_Click();
    void SaveList_Click();
    platform::Failure saveCsv(const QString &path, bool allRecords);

    LineListModel *linesOf(const QListView *list) const;
    void selectLine(QListView *list, int row);
    void lineClicked(QListView *list, int row);
    void rowChanged(QListView *list, int row);
    void fillLabels(const QStringList &labels);
    // Runs the work on a thread of its own while the window keeps painting;
    // when it takes long, Label15 says how far it has come (the heading
    // progress() gives) until it is done, and then shows again what it showed.
    void runWithProgress(const std::function<void()> &work, const std::function<QString()> &progress);
    using MakeQuery = std::function<songdb::DbResult<songdb::LinesQuery>(songdb::SongConnection &)>;
    // Reads the lines of the query made of the connection on a thread of their
    // own while the window keeps painting, saying how far it has come (whole
    // is the number of lines expected, or -1); made and read again when the
    // connection was lost and is back.
    platform::Failure readLines(const MakeQuery &make, songdb::TitleLines *lines, qint64 whole = -1);
    // The same, or after a failure the failure said (the hourglass gone first) and no lines.
    std::optional<songdb::TitleLines> readOrReport(const MakeQuery &make, songdb::WaitCursor &wait, qint64 whole = -1);
    void setMode(ListMode mode);
    void setFieldColumn(const QString &column);
    QLineEdit *labelField(ListMode mode) const;
    void setFrameCaption(const QString &caption, const QColor &colour);
    void clearBoxes(std::initializer_list<QLineEdit *> boxes);

    songdb::AddDataForm &m_ui;
    platform::AppContext &m_app;
    shell::SharedState &m_state;
    songdb::AddDataWindow &m_window;

    bool m_allListLoaded = false;
    ListMode m_mode = ListMode::FoundResults;
    // While List1 holds the titles on several disks: each line's title and
    // its number of disks (the line itself shows both).
    songdb::TitleLines m_duplicates;
    // The key of the row the last search stands on (its first match).
    std::optional<qint32> m_foundKey;
    int m_rowAtPress = -1;
    bool m_selecting = false; // a line is being selected by the program
    std::unique_ptr<FindAsYouType> m_typing;
    // The lines of List1 that the search as you type under way has shown, or
    // -1 before its first ones.
    int m_typedShown = -1;
    // A record gone since its line was found is not said (finding as you type asks nothing).
    bool m_quiet = false;
};

} // namespace browse
