#include "browse/resultsbrowser.h"

#include "browse/savedlist.h"
#include "platform/fixedcolours.h"
#include "shell/navigator.h"
#include "songdb/adddataform.h"
#include "songdb/adddatawindow.h"
#include "songdb/waitcursor.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace browse {

using platform::Icon;
using songdb::WaitCursor;

namespace {

const QColor FoundColour(0, 0, 255);

} // namespace

ResultsBrowser::ResultsBrowser(songdb::AddDataForm &form, platform::AppContext &app, shell::SharedState &state,
                               songdb::AddDataWindow &window)
    : m_ui(form)
    , m_app(app)
    , m_state(state)
    , m_window(window)
{
    connect(m_ui.ShowAll, &QPushButton::clicked, this, &ResultsBrowser::ShowAll_Click);
    connect(m_ui.Find, &QPushButton::clicked, this, &ResultsBrowser::Find_Click);
    connect(m_ui.SearchDisks, &QPushButton::clicked, this, &ResultsBrowser::SearchDisks_Click);
    connect(m_ui.Occasion, &QPushButton::clicked, this, [this] { labelList(ListMode::OccasionLabels); });
    connect(m_ui.Status, &QPushButton::clicked, this, [this] { labelList(ListMode::StatusLabels); });
    connect(m_ui.SaveList, &QAction::triggered, this, &ResultsBrowser::SaveList_Click);
    connect(m_ui.DataList1, &QListWidget::currentRowChanged, this, &ResultsBrowser::DataList1_Click);
    connect(m_ui.List1, &QListWidget::currentRowChanged, this, &ResultsBrowser::List1_Click);
    connect(m_ui.DataList1, &QListWidget::itemDoubleClicked, this, &ResultsBrowser::DataList1_DblClick);
    for (QListWidget *list : {m_ui.DataList1, m_ui.List1}) {
        // A click on the line already selected shows its record again.
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem *item) { lineClicked(list, list->row(item)); });
        // A line selected without becoming the current one is still the chosen line.
        connect(list, &QListWidget::itemSelectionChanged, this, [list] {
            const QList<QListWidgetItem *> chosen = list->selectedItems();
            if (chosen.size() == 1 && list->row(chosen.first()) != list->currentRow())
                list->setCurrentItem(chosen.first());
        });
    }
}

ResultsBrowser::~ResultsBrowser() = default;

bool ResultsBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_ui.DataList1->viewport())
            m_rowAtPress = m_ui.DataList1->currentRow();
        else if (watched == m_ui.List1->viewport())
            m_rowAtPress = m_ui.List1->currentRow();
    }
    return QObject::eventFilter(watched, event);
}

void ResultsBrowser::lineClicked(QListWidget *list, int row)
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

void ResultsBrowser::selectLine(QListWidget *list, int row)
{
    {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(row);
    }
    if (list->currentRow() != row)
        return;
    if (list == m_ui.DataList1)
        DataList1_Click(row);
    else
        List1_Click(row);
}

void ResultsBrowser::selectAllRecordsLine(int row)
{
    if (row >= 0 && row < m_ui.DataList1->count())
        selectLine(m_ui.DataList1, row);
}

void ResultsBrowser::fillTitles(QListWidget *list, const QVector<songdb::TitleLine> &lines)
{
    list->setUpdatesEnabled(false);
    for (const songdb::TitleLine &line : lines) {
        auto *item = new QListWidgetItem(line.title);
        item->setData(Qt::UserRole, line.id);
        list->addItem(item);
    }
    list->setUpdatesEnabled(true);
}

void ResultsBrowser::fillLabels(const QStringList &labels)
{
    // A label line stands for no record: its value is 0, which no key has.
    QVector<songdb::TitleLine> lines;
    lines.reserve(labels.size());
    for (const QString &label : labels)
        lines.append({0, label});
    fillTitles(m_ui.List1, lines);
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
    const auto titles = m_state.database.connection().allTitles();
    if (!titles.ok()) {
        m_window.reportFailure(titles.failure);
        return false;
    }
    m_ui.DataList1->clear();
    fillTitles(m_ui.DataList1, titles.value);
    if (m_ui.DataList1->count() > 0) {
        selectLine(m_ui.DataList1, 0);
    } else {
        clearBoxes({m_ui.Text1, m_ui.Text3, m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8, m_ui.Text9,
                    m_ui.Text10, m_ui.Text11});
    }
    return true;
}

void ResultsBrowser::ShowAll_Click()
{
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
        m_ui.DataList1->clear();
        if (!Searcher_AllTitle())
            return;
        LoadFieldNames();
        m_allListLoaded = true;
    }
    showFirstOfAllRecords();
}

void ResultsBrowser::ReloadAllList()
{
    m_ui.DataList1->clear();
    Searcher_AllTitle();
    showFirstOfAllRecords();
}

void ResultsBrowser::showFirstOfAllRecords()
{
    m_window.DisplayFirstRecord();
    if (m_ui.DataList1->count() > 0)
        selectLine(m_ui.DataList1, 0);
    m_ui.Label15->setText(allRecordsHeading(m_window.totalRecords()));
}

void ResultsBrowser::DataList1_Click(int row)
{
    QListWidgetItem *item = m_ui.DataList1->item(row);
    if (!item)
        return;
    m_ui.Label23->show();
    m_window.DisplayRecord(QString::number(item->data(Qt::UserRole).toInt()));
    m_ui.Text1->setText(QString::number(row + 1));
    setFrameCaption(AllRecordsCaption, QApplication::palette().color(QPalette::ButtonText));
    m_ui.Image8->show();
    const platform::Failure photo = m_window.loadPhoto();
    if (photo.number == platform::err::FileNotFound)
        m_ui.Image8->hide();
    else if (photo.isSet())
        m_window.reportFailure(photo);
}

void ResultsBrowser::DataList1_DblClick()
{
    m_window.say(QStringLiteral("You can not play files from the 'Sorted' list."), Icon::Exclamation);
}

// ---- Field search ----

void ResultsBrowser::Find_Click()
{
    WaitCursor wait(&m_window);
    m_foundRecords.clear();
    m_foundRow = -1;
    // The text is bound as a parameter and the column checked against the
    // table's: an unknown column is refused before anything is sent.
    auto found = m_state.database.connection().find(m_ui.Combo1->currentText(), m_ui.Text2->text());
    if (!found.ok()) {
        wait.restore();
        m_window.reportFailure(found.failure);
        return;
    }
    m_foundRecords = std::move(found.value);
    m_ui.DataList1->hide();
    m_ui.List1->show();
    m_ui.List1->clear();
    m_mode = ListMode::FoundResults;

    if (m_foundRecords.isEmpty()) {
        m_ui.Label15->setText(QStringLiteral("Search Display Window"));
        clearBoxes({m_ui.Text1, m_ui.Text3, m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8, m_ui.Text9,
                    m_ui.Text10, m_ui.Text11, m_ui.Text12, m_ui.Text13});
        m_ui.EditRecord->setEnabled(false);
        wait.restore();
        m_window.say(QStringLiteral("No Matching Records Found"), Icon::Information);
        return;
    }
    m_foundRow = 0;
    DisplayFindResult();
    m_ui.DeleteDisk->setEnabled(false);
    m_ui.EditRecord->setEnabled(true);
    QVector<songdb::TitleLine> lines;
    lines.reserve(m_foundRecords.size());
    for (const songdb::SongRecord &r : qAsConst(m_foundRecords))
        lines.append({r[songdb::ID].toInt(), r[songdb::TitleSID]});
    fillTitles(m_ui.List1, lines);
    m_ui.Label15->setText(matchedHeading(m_ui.List1->count()));
    setFrameCaption(FoundResultsCaption, FoundColour);
    selectLine(m_ui.List1, 0);
}

void ResultsBrowser::DisplayFindResult()
{
    if (m_foundRow < 0 || m_foundRow >= m_foundRecords.size()) {
        m_window.say(QStringLiteral("No record found to display"), Icon::Information);
        return;
    }
    m_window.showRecord(m_foundRecords.at(m_foundRow));
    const platform::Failure photo = m_window.loadPhoto();
    if (photo.isSet() && photo.number != platform::err::FileNotFound)
        m_window.reportFailure(photo);
}

void ResultsBrowser::List1_Click(int row)
{
    QListWidgetItem *item = m_ui.List1->item(row);
    if (!item)
        return;
    m_window.DisplayRecord(QString::number(item->data(Qt::UserRole).toInt()));
    if (m_mode != ListMode::OccasionLabels && m_mode != ListMode::StatusLabels)
        m_ui.Label23->show();
    if (isLabelMode(m_mode)) {
        const LabelKind &kind = labelKind(m_mode);
        setFrameCaption(kind.clickCaption, FoundColour);
        labelField(m_mode)->setText(item->text());
        m_ui.Text2->setText(item->text());
        setFieldColumn(songdb::ColumnNames[kind.column]);
        m_ui.txtID->clear();
        m_ui.Text1->clear();
    } else {
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
    WaitCursor wait(&m_window);
    m_ui.DataList1->hide();
    m_ui.List1->show();
    m_mode = ListMode::DiskLabels;
    const auto labels = m_state.database.connection().groupValues(songdb::DiskID, true);
    m_ui.List1->clear();
    if (!labels.ok()) {
        m_ui.Label15->clear();
        wait.restore();
        m_window.reportFailure(labels.failure);
        return;
    }
    fillLabels(labels.value);
    if (m_ui.List1->count() == 0) {
        m_ui.Label15->clear();
        wait.restore();
        m_window.say(QStringLiteral("No record found to display"), Icon::Information);
        return;
    }
    m_window.ClearAllField();
    selectLine(m_ui.List1, 0);
    setFieldColumn(QStringLiteral("DiskID"));
    const QString first = m_ui.List1->item(0)->text();
    m_ui.Text4->setText(first);
    m_ui.Text2->setText(first);
    m_ui.Label15->setText(labelHeading(ListMode::DiskLabels, m_ui.List1->count()));
    m_ui.DeleteDisk->setEnabled(true);
    m_ui.EditRecord->setEnabled(false);
}

void ResultsBrowser::labelList(ListMode mode)
{
    if (m_window.totalRecords() == 0) {
        m_window.say(QStringLiteral("No record found to display."), Icon::Information);
        return;
    }
    m_ui.DataList1->hide();
    m_ui.List1->show();
    m_ui.DeleteDisk->setEnabled(false);
    m_ui.EditRecord->setEnabled(false);
    m_mode = mode;
    const songdb::Column column = labelKind(mode).column;
    songdb::SongConnection &connection = m_state.database.connection();
    // Whether any row came back counts, even one that only stands for records without a label.
    const bool rowsReturned = !connection.groupValues(column, false).value.isEmpty();
    const auto labels = connection.groupValues(column, true);
    m_ui.List1->clear();
    fillLabels(labels.value);
    if (rowsReturned) {
        m_window.ClearAllField();
        if (m_ui.List1->count() > 0)
            selectLine(m_ui.List1, 0);
        setFieldColumn(songdb::ColumnNames[column]);
        QListWidgetItem *current = m_ui.List1->currentItem();
        labelField(mode)->setText(current ? current->text() : QString());
    }
    m_ui.Label15->setText(labelHeading(mode, m_ui.List1->count()));
    m_ui.Label23->hide();
}

// ---- Saving the visible list ----

void ResultsBrowser::SaveList_Click()
{
    QListWidget *list = !m_ui.DataList1->isHidden() ? m_ui.DataList1 : m_ui.List1;
    if (list->count() == 0) {
        m_window.say(QStringLiteral("No contents in the current list to save."), Icon::Information);
        return;
    }
    if (const platform::Failure f = SavedList::prepareFolder(m_app.appFolder); f.isSet()) {
        m_window.reportFailure(f);
        return;
    }
    platform::FileRequest request;
    request.initialFolder = SavedList::folder(m_app.appFolder);
    request.filter = SavedList::Filter;
    const std::optional<QString> path = m_app.dialogs->saveFileName(request);
    if (!path)
        return;
    QStringList lines;
    lines.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    // A save that cannot be written is said so, never passed over.
    if (const platform::Failure f = SavedList::write(*path, lines); f.isSet())
        m_window.reportFailure(f);
}

} // namespace browse
