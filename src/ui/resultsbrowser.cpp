// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/resultsbrowser.h"

#include "browse/csvexport.h"
#include "browse/linelistmodel.h"
#include "browse/savedlist.h"
#include "songdb/readwatch.h"
#include "ui/adddataform.h"
#include "ui/adddatawindow.h"
#include "ui/desktop/busywork.h"
#include "ui/desktop/fixedcolours.h"
#include "ui/findasyoutype.h"
#include "ui/navigator.h"
#include "ui/waitcursor.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <atomic>

namespace browse {

using platform::Icon;
using songdb::WaitCursor;

namespace {

const QColor FoundColour(0, 0, 255);

// A read or save that takes longer than this says how far it has come.
constexpr qint64 ProgressAfterMs = 500;
constexpr int ProgressEveryMs = 100;

} // namespace

ResultsBrowser::ResultsBrowser(songdb::AddDataForm &form, platform::AppContext &app, shell::SharedState &state,
                               songdb::AddDataWindow &window)
    : m_ui(form)
    , m_app(app)
    , m_state(state)
    , m_window(window)
{
    m_typing = std::make_unique<FindAsYouType>(m_ui, m_app, m_state,
        FindAsYouType::Handlers {[this] { typedSearchStarted(); },
            [this](const songdb::TitleLines &more, int found) { showTypedLines(more, found); },
            [this](songdb::TitleLines &lines, const platform::Failure &failure) { showTypedResult(lines, failure); }},
        &m_window);
    // Every command here reads through the connection: none runs beside background work.
    using platform::unlessBusy;
    connect(m_ui.ShowAll, &QPushButton::clicked, this, unlessBusy([this] { ShowAll_Click(); }));
    connect(m_ui.Find, &QPushButton::clicked, this, unlessBusy([this] { Find_Click(); }));
    connect(m_ui.SearchDisks, &QPushButton::clicked, this, unlessBusy([this] { SearchDisks_Click(); }));
    connect(m_ui.Occasion, &QPushButton::clicked, this, unlessBusy([this] { labelList(ListMode::OccasionLabels); }));
    connect(m_ui.Status, &QPushButton::clicked, this, unlessBusy([this] { labelList(ListMode::StatusLabels); }));
    connect(m_ui.Duplicates, &QAction::triggered, this, unlessBusy([this] { Duplicates_Click(); }));
    connect(m_ui.SaveList, &QAction::triggered, this, unlessBusy([this] { SaveList_Click(); }));
    connect(m_ui.DataList1, &QAbstractItemView::doubleClicked, this, unlessBusy([this] { DataList1_DblClick(); }));
    for (QListView *list : {m_ui.DataList1, m_ui.List1}) {
        QItemSelectionModel *selection = list->selectionModel();
        connect(selection, &QItemSelectionModel::currentRowChanged, this,
                unlessBusy([this, list](const QModelIndex &current) { rowChanged(list, current.row()); }));
        // A click on the line already selected shows its record again.
        list->viewport()->installEventFilter(this);
        connect(list, &QAbstractItemView::clicked, this,
                unlessBusy([this, list](const QModelIndex &index) { lineClicked(list, index.row()); }));
        // A line selected without becoming the current one is still the chosen line.
        connect(selection, &QItemSelectionModel::selectionChanged, this, [list, selection] {
            const QModelIndexList chosen = selection->selectedIndexes();
            if (chosen.size() == 1 && chosen.first() != selection->currentIndex())
                list->setCurrentIndex(chosen.first());
        });
    }
}

ResultsBrowser::~ResultsBrowser() = default;

void ResultsBrowser::cancelTyping()
{
    m_typing->cancel();
    m_typedShown = -1;
}

bool ResultsBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_ui.DataList1->viewport())
            m_rowAtPress = m_ui.DataList1->currentIndex().row();
        else if (watched == m_ui.List1->viewport())
            m_rowAtPress = m_ui.List1->currentIndex().row();
    }
    return QObject::eventFilter(watched, event);
}

LineListModel *ResultsBrowser::linesOf(const QListView *list) const
{
    return list == m_ui.DataList1 ? m_ui.DataList1Lines : m_ui.List1Lines;
}

void ResultsBrowser::rowChanged(QListView *list, int row)
{
    if (m_selecting)
        return;
    if (list == m_ui.DataList1)
        DataList1_Click(row);
    else
        List1_Click(row);
}

void ResultsBrowser::lineClicked(QListView *list, int row)
{
    // A click that moved the selection has run the handler already.
    if (row < 0 || row != m_rowAtPress)
        return;
    m_rowAtPress = -1;
    if (list == m_ui.DataList1)
        DataList1_Click(row);
    else
        List1_Click(row);
}

void ResultsBrowser::selectLine(QListView *list, int row)
{
    m_selecting = true;
    list->setCurrentIndex(linesOf(list)->index(row, 0));
    m_selecting = false;
    if (list->currentIndex().row() != row)
        return;
    if (list == m_ui.DataList1)
        DataList1_Click(row);
    else
        List1_Click(row);
}

void ResultsBrowser::selectAllRecordsLine(int row)
{
    if (row >= 0 && row < allRecordsLines())
        selectLine(m_ui.DataList1, row);
}

int ResultsBrowser::allRecordsLines() const
{
    return m_ui.DataList1Lines->rowCount();
}

void ResultsBrowser::fillLabels(const QStringList &labels)
{
    // A label line stands for no record: its value is 0, which no key has.
    songdb::TitleLines lines;
    for (const QString &label : labels)
        lines.append(0, label);
    m_ui.List1Lines->setLines(std::move(lines));
}

void ResultsBrowser::runWithProgress(const std::function<void()> &work, const std::function<QString()> &progress)
{
    const QString heading = m_ui.Label15->text();
    QElapsedTimer running;
    running.start();
    QTimer tick;
    tick.setInterval(ProgressEveryMs);
    connect(&tick, &QTimer::timeout, this, [&] {
        if (running.elapsed() >= ProgressAfterMs)
            m_ui.Label15->setText(progress());
    });
    tick.start();
    platform::runBusy(work);
    tick.stop();
    m_ui.Label15->setText(heading);
}

platform::Failure ResultsBrowser::readLines(const MakeQuery &make, songdb::TitleLines *lines, qint64 whole)
{
    songdb::SongConnection &connection = m_state.database.connection();
    return connection.read([&] {
        const songdb::DbResult<songdb::LinesQuery> query = make(connection);
        if (!query.ok())
            return query.failure;
        songdb::ReadWatch watch;
        platform::Failure failure;
        runWithProgress(
            [&] { failure = query.value.run(lines, &watch); }, [&] { return readingHeading(watch.rows(), whole); });
        return failure;
    });
}

std::optional<songdb::TitleLines> ResultsBrowser::readOrReport(const MakeQuery &make, WaitCursor &wait, qint64 whole)
{
    songdb::TitleLines lines;
    const platform::Failure failure = readLines(make, &lines, whole);
    if (failure.isSet()) {
        wait.restore();
        m_window.reportFailure(failure);
        return std::nullopt;
    }
    return lines;
}

void ResultsBrowser::setMode(ListMode mode)
{
    m_mode = mode;
    if (mode != ListMode::DuplicateTitles)
        m_duplicates.clear();
}

void ResultsBrowser::setFieldColumn(const QString &column)
{
    const int index = m_ui.Combo1->findText(column);
    if (index >= 0)
        m_ui.Combo1->setCurrentIndex(index);
    m_ui.Combo1->setEditText(column);
}

QLineEdit *ResultsBrowser::labelField(ListMode mode) const
{
    switch (mode) {
    case ListMode::OccasionLabels:
        return m_ui.Text8;
    case ListMode::StatusLabels:
        return m_ui.Text12;
    case ListMode::DuplicateTitles:
        return m_ui.Text5;
    case ListMode::DiskLabels:
    case ListMode::FoundResults:
        break;
    }
    return m_ui.Text4;
}

void ResultsBrowser::setFrameCaption(const QString &caption, const QColor &colour)
{
    if (!caption.isNull())
        m_ui.Frame1->setTitle(caption);
    platform::setReadableTextColour(m_ui.Frame1, colour);
}

void ResultsBrowser::clearBoxes(std::initializer_list<QLineEdit *> boxes)
{
    for (QLineEdit *box : boxes)
        box->clear();
}

void ResultsBrowser::LoadFieldNames()
{
    const auto names = m_state.database.connection().columnNames();
    if (!names.ok())
        return;
    m_ui.Combo1->clear();
    m_ui.Combo1->addItems(names.value.mid(1));
    if (m_ui.Combo1->count() > 2)
        m_ui.Combo1->setCurrentIndex(2);
}

// ---- All-records list ----

bool ResultsBrowser::Searcher_AllTitle()
{
    songdb::TitleLines titles;
    const platform::Failure failure
        = readLines([](songdb::SongConnection &connection) { return connection.allTitlesQuery(); }, &titles,
            m_window.totalRecords());
    if (failure.isSet()) {
        m_window.reportFailure(failure);
        return false;
    }
    m_ui.DataList1Lines->setLines(std::move(titles));
    if (allRecordsLines() > 0) {
        selectLine(m_ui.DataList1, 0);
    } else {
        clearBoxes({m_ui.Text1, m_ui.Text3, m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8, m_ui.Text9,
                    m_ui.Text10, m_ui.Text11});
    }
    return true;
}

void ResultsBrowser::ShowAll_Click()
{
    cancelTyping();
    WaitCursor wait(&m_window);
    if (m_window.totalRecords() == 0) {
        wait.restore();
        m_window.say(QStringLiteral("No record found to display."), Icon::Information);
        return;
    }
    m_ui.DeleteDisk->setEnabled(false);
    m_ui.EditRecord->setEnabled(true);
    m_ui.DataList1->show();
    m_ui.List1->hide();
    // The list is read once per loaded window; later presses only show it.
    if (!m_allListLoaded) {
        m_ui.DataList1Lines->clear();
        if (!Searcher_AllTitle())
            return;
        LoadFieldNames();
        m_allListLoaded = true;
    }
    showFirstOfAllRecords();
}

void ResultsBrowser::ReloadAllList()
{
    m_ui.DataList1Lines->clear();
    Searcher_AllTitle();
    showFirstOfAllRecords();
}

void ResultsBrowser::showFirstOfAllRecords()
{
    m_window.DisplayFirstRecord();
    if (allRecordsLines() > 0)
        selectLine(m_ui.DataList1, 0);
    m_ui.Label15->setText(allRecordsHeading(m_window.totalRecords()));
}

void ResultsBrowser::DataList1_Click(int row)
{
    if (row < 0 || row >= allRecordsLines())
        return;
    m_ui.Label23->show();
    if (!m_window.DisplayRecord(QString::number(m_ui.DataList1Lines->id(row))))
        recordGone();
    m_ui.Text1->setText(QString::number(row + 1));
    setFrameCaption(AllRecordsCaption, QApplication::palette().color(QPalette::ButtonText));
    m_ui.Image8->show();
    const platform::Failure photo = m_window.loadPhoto();
    if (photo.number == platform::err::FileNotFound)
        m_ui.Image8->hide();
    else if (photo.isSet())
        m_window.reportFailure(photo);
}

// A line whose record was deleted since the list was read (by another
// desktop, or a deleted disk whose lines were kept): no other record stays
// on show beside the line.
void ResultsBrowser::recordGone()
{
    m_ui.txtID->clear();
    m_window.ClearAllField();
    m_window.say(QStringLiteral("No record found to display"), Icon::Information);
}

void ResultsBrowser::DataList1_DblClick()
{
    m_window.say(QStringLiteral("You can not play files from the 'Sorted' list."), Icon::Exclamation);
}

// ---- Field search ----

void ResultsBrowser::Find_Click()
{
    cancelTyping();
    WaitCursor wait(&m_window);
    m_foundKey.reset();
    // The text is a value of the query, never part of its statement, and the
    // column is checked against the table's: an unknown column is refused
    // before anything is sent.
    const QString column = m_ui.Combo1->currentText();
    const QString searched = m_ui.Text2->text();
    std::optional<songdb::TitleLines> read = readOrReport(
        [&](songdb::SongConnection &connection) { return connection.findQuery(column, searched); }, wait);
    if (!read)
        return;
    songdb::TitleLines found = std::move(*read);
    m_ui.DataList1->hide();
    m_ui.List1->show();
    m_ui.List1Lines->clear();
    setMode(ListMode::FoundResults);

    if (found.isEmpty()) {
        m_ui.Label15->setText(QStringLiteral("Search Display Window"));
        clearBoxes({m_ui.Text1, m_ui.Text3, m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8, m_ui.Text9,
                    m_ui.Text10, m_ui.Text11, m_ui.Text12, m_ui.Text13});
        m_ui.EditRecord->setEnabled(false);
        wait.restore();
        m_window.say(QStringLiteral("No Matching Records Found"), Icon::Information);
        return;
    }
    m_foundKey = found.id(0);
    DisplayFindResult();
    showFound(std::move(found));
}

void ResultsBrowser::showFound(songdb::TitleLines found)
{
    m_foundKey = found.id(0);
    m_ui.DataList1->hide();
    m_ui.List1->show();
    setMode(ListMode::FoundResults);
    m_ui.DeleteDisk->setEnabled(false);
    m_ui.EditRecord->setEnabled(true);
    m_ui.List1Lines->setLines(std::move(found));
    m_ui.Label15->setText(matchedHeading(m_ui.List1Lines->rowCount()));
    setFrameCaption(FoundResultsCaption, FoundColour);
    selectLine(m_ui.List1, 0);
}

// ---- Finding as you type ----

// Shown as Find shows what it finds, without a word: no box opens.

void ResultsBrowser::typedSearchStarted()
{
    m_typedShown = -1;
}

void ResultsBrowser::showTypedLines(const songdb::TitleLines &more, int found)
{
    if (m_typedShown < 0) {
        if (more.isEmpty())
            return;
        m_quiet = true;
        showFound(more);
        m_quiet = false;
        m_typedShown = more.size();
    } else {
        m_ui.List1Lines->appendLines(more);
        m_typedShown += more.size();
    }
    m_ui.Label15->setText(matchedSoFarHeading(found));
}

void ResultsBrowser::showTypedResult(songdb::TitleLines &lines, const platform::Failure &failure)
{
    const int shown = m_typedShown;
    m_typedShown = -1;
    // A search that failed (a server gone, say) leaves the lists as they are.
    if (failure.isSet())
        return;
    if (lines.isEmpty()) {
        showNoMatch();
        return;
    }
    if (shown < 0) {
        m_quiet = true;
        showFound(std::move(lines));
        m_quiet = false;
        return;
    }
    // The lines shown so far stay where they are when the whole begins with them.
    const qint32 first = m_ui.List1Lines->rowCount() > 0 ? m_ui.List1Lines->id(0) : 0;
    m_ui.List1Lines->extendTo(std::move(lines));
    m_ui.Label15->setText(matchedHeading(m_ui.List1Lines->rowCount()));
    if (m_ui.List1Lines->id(0) != first || m_ui.List1->currentIndex().row() < 0) {
        m_quiet = true;
        m_foundKey = m_ui.List1Lines->id(0);
        selectLine(m_ui.List1, 0);
        m_quiet = false;
    }
}

void ResultsBrowser::showNoMatch()
{
    m_foundKey.reset();
    m_ui.DataList1->hide();
    m_ui.List1->show();
    m_ui.List1Lines->clear();
    setMode(ListMode::FoundResults);
    clearBoxes({m_ui.txtID, m_ui.Text1, m_ui.Text3, m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8,
        m_ui.Text9, m_ui.Text10, m_ui.Text11, m_ui.Text12, m_ui.Text13});
    m_ui.EditRecord->setEnabled(false);
    m_ui.Label15->setText(matchedHeading(0));
}

// The found lines keep only keys and titles: the record is read as it is
// stored now, and one deleted since the search is said to be gone.
void ResultsBrowser::DisplayFindResult()
{
    const auto found = m_foundKey ? m_state.database.connection().recordByKey(*m_foundKey)
                                  : songdb::DbResult<std::optional<songdb::SongRecord>>();
    if (!found.ok()) {
        m_window.reportFailure(found.failure);
        return;
    }
    if (!found.value) {
        m_window.say(QStringLiteral("No record found to display"), Icon::Information);
        return;
    }
    m_window.showRecord(*found.value);
    const platform::Failure photo = m_window.loadPhoto();
    if (photo.isSet() && photo.number != platform::err::FileNotFound)
        m_window.reportFailure(photo);
}

void ResultsBrowser::List1_Click(int row)
{
    if (row < 0 || row >= m_ui.List1Lines->rowCount())
        return;
    // A title on several disks stands in its line beside its number of disks.
    const QString text = m_mode == ListMode::DuplicateTitles && row < m_duplicates.size() ? m_duplicates.text(row)
                                                                                         : m_ui.List1Lines->text(row);
    const bool shown = m_window.DisplayRecord(QString::number(m_ui.List1Lines->id(row)));
    if (m_mode == ListMode::FoundResults || m_mode == ListMode::DiskLabels)
        m_ui.Label23->show();
    if (isLabelMode(m_mode)) {
        const LabelKind &kind = labelKind(m_mode);
        setFrameCaption(kind.clickCaption, FoundColour);
        labelField(m_mode)->setText(text);
        m_ui.Text2->setText(text);
        setFieldColumn(songdb::ColumnNames[kind.column]);
        m_ui.txtID->clear();
        m_ui.Text1->clear();
    } else {
        if (!shown && m_quiet) {
            m_ui.txtID->clear();
            m_window.ClearAllField();
        } else if (!shown) {
            recordGone();
        }
        setFrameCaption(FoundResultsCaption, FoundColour);
        m_ui.Text1->setText(QString::number(row + 1));
    }
    // Any failure to show the photograph only hides it.
    m_ui.Image8->show();
    if (m_window.loadPhoto().isSet())
        m_ui.Image8->hide();
}

// ---- Label lists ----

void ResultsBrowser::SearchDisks_Click()
{
    cancelTyping();
    WaitCursor wait(&m_window);
    m_ui.DataList1->hide();
    m_ui.List1->show();
    setMode(ListMode::DiskLabels);
    songdb::TitleLines groups;
    const platform::Failure failure = readLines(
        [](songdb::SongConnection &connection) { return connection.groupValuesQuery(songdb::DiskID); }, &groups);
    m_ui.List1Lines->clear();
    if (failure.isSet()) {
        m_ui.Label15->clear();
        wait.restore();
        m_window.reportFailure(failure);
        return;
    }
    fillLabels(songdb::SongConnection::groupLabels(groups, true));
    if (m_ui.List1Lines->rowCount() == 0) {
        m_ui.Label15->clear();
        wait.restore();
        m_window.say(QStringLiteral("No record found to display"), Icon::Information);
        return;
    }
    m_window.ClearAllField();
    selectLine(m_ui.List1, 0);
    setFieldColumn(QStringLiteral("DiskID"));
    const QString first = m_ui.List1Lines->text(0);
    m_ui.Text4->setText(first);
    m_ui.Text2->setText(first);
    m_ui.Label15->setText(labelHeading(ListMode::DiskLabels, m_ui.List1Lines->rowCount()));
    m_ui.DeleteDisk->setEnabled(true);
    m_ui.EditRecord->setEnabled(false);
}

void ResultsBrowser::labelList(ListMode mode)
{
    cancelTyping();
    if (m_window.totalRecords() == 0) {
        m_window.say(QStringLiteral("No record found to display."), Icon::Information);
        return;
    }
    m_ui.DataList1->hide();
    m_ui.List1->show();
    m_ui.DeleteDisk->setEnabled(false);
    m_ui.EditRecord->setEnabled(false);
    setMode(mode);
    const songdb::Column column = labelKind(mode).column;
    // Whether any row came back counts, even one that only stands for records without a label.
    bool rowsReturned = false;
    songdb::TitleLines groups;
    {
        // The hourglass only while the labels are read: the command shows it no longer.
        WaitCursor wait(&m_window);
        readLines([column](songdb::SongConnection &connection) { return connection.groupValuesQuery(column); },
            &groups);
    }
    fillLabels(songdb::SongConnection::groupLabels(groups, true, &rowsReturned));
    if (rowsReturned) {
        m_window.ClearAllField();
        if (m_ui.List1Lines->rowCount() > 0)
            selectLine(m_ui.List1, 0);
        setFieldColumn(songdb::ColumnNames[column]);
        const int current = m_ui.List1->currentIndex().row();
        labelField(mode)->setText(current >= 0 ? m_ui.List1Lines->text(current) : QString());
    }
    m_ui.Label15->setText(labelHeading(mode, m_ui.List1Lines->rowCount()));
    m_ui.Label23->hide();
}

// ---- Titles on several disks ----

// Listed as the Occasion and Status labels are, with the title as the label
// of TitleSID; no message, even when there is none.
void ResultsBrowser::Duplicates_Click()
{
    cancelTyping();
    WaitCursor wait(&m_window);
    std::optional<songdb::TitleLines> read = readOrReport(
        [](songdb::SongConnection &connection) { return connection.duplicateTitlesQuery(); }, wait);
    if (!read)
        return;
    songdb::TitleLines found = std::move(*read);
    m_ui.DataList1->hide();
    m_ui.List1->show();
    m_ui.DeleteDisk->setEnabled(false);
    m_ui.EditRecord->setEnabled(false);
    setMode(ListMode::DuplicateTitles);
    m_ui.List1Lines->setLines(duplicateLines(found));
    m_duplicates = std::move(found);
    if (!m_duplicates.isEmpty()) {
        m_window.ClearAllField();
        selectLine(m_ui.List1, 0);
        setFieldColumn(songdb::ColumnNames[songdb::TitleSID]);
    }
    m_ui.Label15->setText(labelHeading(ListMode::DuplicateTitles, m_ui.List1Lines->rowCount()));
    m_ui.Label23->hide();
}

// ---- Saving the visible list ----

void ResultsBrowser::SaveList_Click()
{
    // The list is written as it stands.
    cancelTyping();
    const LineListModel *lines = !m_ui.DataList1->isHidden() ? m_ui.DataList1Lines : m_ui.List1Lines;
    if (lines->rowCount() == 0) {
        m_window.say(QStringLiteral("No contents in the current list to save."), Icon::Information);
        return;
    }
    if (const platform::Failure f = SavedList::prepareFolder(m_app.appFolder); f.isSet()) {
        m_window.reportFailure(f);
        return;
    }
    platform::FileRequest request;
    request.initialFolder = SavedList::folder(m_app.appFolder);
    request.filter = SavedList::Filter + QLatin1Char('|') + CsvExport::Filter;
    int filter = 0;
    request.chosenFilter = &filter;
    const std::optional<QString> path = m_app.dialogs->saveFileName(request);
    if (!path)
        return;
    // A save that cannot be written is said so, never passed over.
    platform::Failure f;
    if (filter == 1 || CsvExport::isCsvName(*path)) {
        f = saveCsv(*path, lines == m_ui.DataList1Lines);
    } else {
        WaitCursor wait(&m_window);
        std::atomic<int> done {0};
        runWithProgress([&] { f = SavedList::write(*path, lines->lines(), [&](int n) { done = n; }); },
            [&] { return savingHeading(done, lines->rowCount()); });
    }
    if (f.isSet())
        m_window.reportFailure(f);
}

platform::Failure ResultsBrowser::saveCsv(const QString &path, bool allRecords)
{
    if (!allRecords && m_mode == ListMode::DuplicateTitles)
        return CsvExport::writeColumn(path, songdb::ColumnNames[songdb::TitleSID], m_duplicates);
    if (!allRecords && isLabelMode(m_mode))
        return CsvExport::writeColumn(path, songdb::ColumnNames[labelKind(m_mode).column], m_ui.List1Lines->lines());
    WaitCursor wait(&m_window);
    const songdb::TitleLines &lines = allRecords ? m_ui.DataList1Lines->lines() : m_ui.List1Lines->lines();
    songdb::SongConnection &connection = m_state.database.connection();
    return connection.read([&] {
        auto reader = connection.recordsReader();
        if (!reader.ok())
            return reader.failure;
        platform::Failure failure;
        std::atomic<int> done {0};
        runWithProgress(
            [&] { failure = CsvExport::writeRecords(path, lines, reader.value, [&](int n) { done = n; }); },
            [&] { return savingHeading(done, lines.size()); });
        return failure;
    });
}

} // namespace browse
