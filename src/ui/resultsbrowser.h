#pragma once

#include "browse/resultlist.h"
#include "ui/desktop/appcontext.h"
#include "platform/failure.h"
#include "songdb/songrecord.h"
#include "songdb/titlelines.h"

#include <QObject>

#include <functional>
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
    using MakeQuery = std::function<songdb::DbResult<songdb::LinesQuery>(songdb::SongConnection &)>;
    // Reads the lines of the query made of the connection on a thread of their
    // own while the window keeps painting; made and read again when the
    // connection was lost and is back.
    platform::Failure readLines(const MakeQuery &make, songdb::TitleLines *lines);
    // The same, or after a failure the failure said (the hourglass gone first) and no lines.
    std::optional<songdb::TitleLines> readOrReport(const MakeQuery &make, songdb::WaitCursor &wait);
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
};

} // namespace browse
