// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/adddatawindow.h"

#include "browse/linelistmodel.h"
#include "browse/logofile.h"
#include "listmaker/currentlist.h"
#include "songdb/photographs.h"
#include "songdb/recorddisplay.h"
#include "songdb/recordnumberrule.h"
#include "songdb/songconnection.h"
#include "ui/desktop/busywork.h"
#include "ui/desktop/fixedcolours.h"
#include "ui/desktop/valueboxes.h"
#include "ui/desktop/windowplacement.h"
#include "ui/hoveremphasis.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"
#include "ui/resultsbrowser.h"
#include "ui/waitcursor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace songdb {

using platform::Button;
using platform::Buttons;
using platform::Failure;
using platform::Icon;
namespace err = platform::err;

namespace {

const QString EditCaption = QStringLiteral("&Edit");
const QString UpdateCaption = QStringLiteral("&Update");
const QString DeleteAllPassword = QStringLiteral("wipetable");
const QString PictureFilter = QStringLiteral("All supported picture files (*.jpg)|*.jpg;*.jpeg");

const QColor LockedColour(128, 0, 0);
const QColor EditingColour(255, 0, 0);
const QColor PromptRed(255, 0, 0);
const QColor AppendedColour(0, 0, 128);

QColor buttonTextColour()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

void setTextColour(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

// Runs a change of many rows (deleting a disk, emptying the table) as one
// transaction, the window painting meanwhile; the rows changed go to rows.
Failure runRowsChange(SongConnection &connection, const std::function<DbResult<RowsChange>()> &make, int *rows)
{
    return connection.change([&] {
        const auto change = make();
        if (!change.ok())
            return change.failure;
        Failure f;
        platform::runBusy([&] { f = change.value.run(rows); });
        return f;
    });
}

} // namespace

AddDataWindow::AddDataWindow(platform::AppContext &app, shell::SharedState &state, shell::Navigator &navigator,
                             QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_app(app)
    , m_state(state)
    , m_navigator(navigator)
{
    m_ui.setup(this);
    m_browser = std::make_unique<browse::ResultsBrowser>(m_ui, m_app, m_state, *this);
    m_hover = std::make_unique<browse::HoverEmphasis>(this);
    if (m_app.makePlayer) {
        m_player1 = m_app.makePlayer(m_ui.MediaPlayer1);
        m_player2 = m_app.makePlayer(m_ui.MediaPlayer2);
    }

    // Frame1's caption colour marks the list a record came from; its own
    // captions keep the ordinary colour.
    for (QLabel *l : qAsConst(m_ui.frameLabels))
        setTextColour(l, QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
    for (QLineEdit *box : {m_ui.Text5, m_ui.Text8, m_ui.Text9, m_ui.Text12})
        setEditable(box, false);
    m_promptColour = m_ui.Label14->palette().color(QPalette::WindowText);

    connect(m_ui.Timer1, &QTimer::timeout, this, &AddDataWindow::Timer1_Timer);
    connect(m_ui.Back, &QAction::triggered, this, &AddDataWindow::Back_Click);
    connect(m_ui.Help, &QAction::triggered, this, &AddDataWindow::Help_Click);
    connect(m_ui.About, &QAction::triggered, this, [this] { m_navigator.showProgramInfo(0); });
    // Commands that use the connection never run beside background work.
    using platform::unlessBusy;
    connect(m_ui.AppendFileList, &QPushButton::clicked, this, unlessBusy([this] { AppendFileList_Click(); }));
    connect(m_ui.Text13, &QLineEdit::textChanged, this, unlessBusy([this] { Text13_Change(); }));
    connect(m_ui.EditRecord, &QPushButton::clicked, this, unlessBusy([this] { EditRecord_Click(); }));
    connect(m_ui.DeleteDisk, &QPushButton::clicked, this, unlessBusy([this] { DeleteDisk_Click(); }));
    connect(m_ui.DeleteAll, &QPushButton::clicked, this, unlessBusy([this] { DeleteAll_Click(); }));
    connect(m_ui.OK, &QPushButton::clicked, this, unlessBusy([this] { OK_Click(); }));
    // Enter runs what the box is for; in the record-number box it stays a key that is not taken.
    connect(m_ui.Text2, &QLineEdit::returnPressed, m_ui.Find, &QPushButton::click);
    connect(m_ui.Text14, &QLineEdit::returnPressed, m_ui.OK, &QPushButton::click);
    m_ui.Text13->installEventFilter(this);
    m_ui.Image8->installEventFilter(this);
    m_ui.Label23->installEventFilter(this);
    for (QLabel *l : qAsConst(m_ui.Image1))
        l->installEventFilter(this);
    for (QLabel *l : qAsConst(m_ui.Label17))
        l->installEventFilter(this);

    Form_Load();
}

AddDataWindow::~AddDataWindow() = default;

// Every step is tried; one that fails leaves its part as it was.
void AddDataWindow::Form_Load()
{
    m_state.database.ConnectDatabase();
    CountRecords();
    m_ui.DataList1->hide();
    m_browser->LoadFieldNames();
    LoadCurrentListFile();
    ClearAllField();
    PlayLogo();
    m_ui.Timer1->start();
}

void AddDataWindow::CountRecords()
{
    // Counting a large table takes a while: the windows keep painting
    // meanwhile, with the hourglass on the window that is in front (this
    // one, once it shows).
    std::optional<WaitCursor> wait;
    if (QWidget *front = isVisible() ? this : QApplication::activeWindow())
        wait.emplace(front);
    SongConnection &connection = m_state.database.connection();
    TitleLines count;
    const Failure failure = connection.read([&] {
        const auto query = connection.countQuery();
        if (!query.ok())
            return query.failure;
        Failure f;
        platform::runBusy([&] { f = query.value.run(&count); });
        return f;
    });
    // Without a count the label keeps "0" and the count agrees with it.
    setTotalRecords(!failure.isSet() && count.size() == 1 ? count.id(0) : 0);
}

void AddDataWindow::setTotalRecords(qint32 count)
{
    m_totalRecords = count;
    m_ui.Label4->setText(QString::number(count));
}

void AddDataWindow::LoadCurrentListFile()
{
    listmaker::currentlistfile::read(m_app.file(listmaker::currentlistfile::FileName), &m_state.currentList);
}

void AddDataWindow::PlayLogo()
{
    const QString logo = browse::findLogoFile(m_app.appFolder, browse::LogoName);
    if (logo.isEmpty() || !m_player1)
        return;
    if (m_player1->setFileName(logo))
        m_player1->play();
}

void AddDataWindow::LoadUserLogo()
{
    QString userLogo = browse::findLogoFile(m_app.appFolder, browse::UserLogoName);
    if (userLogo.isEmpty())
        userLogo = m_app.file(browse::UserLogoName);
    QString logo = browse::findLogoFile(m_app.appFolder, browse::LogoName);
    if (logo.isEmpty())
        logo = m_app.file(browse::LogoName);

    // A player that cannot open the file plays nothing; no step reports.
    if (m_player2 && m_player2->setFileName(userLogo))
        m_player2->play();
    listmaker::MakeSListWindow &createList = m_navigator.createListWindow();
    if (createList.mediaPlayer1().setFileName(userLogo))
        createList.mediaPlayer1().play();
    createList.mediaPlayer2().open(logo);
}

void AddDataWindow::showInBrowseMode()
{
    m_ui.Label14->hide();
    m_ui.AppendFileList->setEnabled(false);
    platform::showFitted(this, m_navigator.mainWindow());
}

void AddDataWindow::showInAppendMode()
{
    m_ui.AppendFileList->setEnabled(true);
    platform::showFitted(this, m_navigator.mainWindow());
}

void AddDataWindow::setPromptInterval(int milliseconds)
{
    m_ui.Timer1->setInterval(qMax(0, milliseconds));
    if (milliseconds > 0)
        m_ui.Timer1->start();
    else
        m_ui.Timer1->stop();
}

void AddDataWindow::Timer1_Timer()
{
    // Decided on the colour set, not the one shown: a dark palette shows a lighter shade of it.
    m_promptColour = m_promptColour == buttonTextColour() ? PromptRed : buttonTextColour();
    platform::setReadableTextColour(m_ui.Label14, m_promptColour);
}

void AddDataWindow::Back_Click()
{
    m_browser->cancelTyping();
    m_ui.Label14->show();
    m_navigator.showMain();
    hide();
}

void AddDataWindow::closeEvent(QCloseEvent *event)
{
    m_browser->cancelTyping();
    m_navigator.showMain();
    event->accept();
}

void AddDataWindow::Help_Click()
{
    m_app.showHelp(this);
}

Button AddDataWindow::say(const QString &text, Icon icon, Buttons buttons)
{
    return m_app.say(text, icon, buttons);
}

void AddDataWindow::reportFailure(const Failure &failure)
{
    say(platform::errorText(failure.number, failure.description), Icon::None);
}

// ---- Appending the current list ----

void AddDataWindow::AppendFileList_Click()
{
    static const QString noDataSource =
        QStringLiteral("Create a DSN 'Orvandel' through the Control Panel using 'Dizarore.mde' database\r\n"
                       "structure file supplied with the package and then try to append data.");
    WaitCursor wait(this);
    const auto failed = [&](const Failure &failure) {
        wait.restore();
        // A server that refused the login has the data source: its message tells how to repair the login.
        if (failure.number == err::ConnectionClosed && !m_state.database.connection().loginRefused())
            say(noDataSource, Icon::Critical);
        else
            reportFailure(failure);
    };
    // The table must be there before the user is asked to add to it.
    if (const auto table = m_state.database.connection().columnNames(); !table.ok()) {
        failed(table.failure);
        return;
    }
    const listmaker::CurrentList &list = m_state.currentList;
    const Button answer = say(QStringLiteral("You are going to append ") + QString::number(list.FileCount)
                                  + QStringLiteral(" files to the existing Database 'DizaRore'."),
                              Icon::Information, Buttons::OkCancel);
    if (answer != Button::Ok)
        return;
    m_ui.AppendFileList->setEnabled(false);

    // One transaction: on failure nothing is stored, and the same list may be tried again.
    const auto added = m_state.database.connection().appendList(list);
    if (!added.ok()) {
        m_ui.AppendFileList->setEnabled(true);
        failed(added.failure);
        return;
    }
    setTotalRecords(m_totalRecords + added.value);
    m_ui.Label14->setText(
        QStringLiteral("The currently created file has been appended to your Database 'DizaRore'."));
    setPromptInterval(0);
    m_promptColour = AppendedColour;
    platform::setReadableTextColour(m_ui.Label14, m_promptColour);
    QFile::remove(m_app.file(listmaker::currentlistfile::FileName));
    m_navigator.createListWindow().resetAfterAppend();
    wait.restore();
    say(QStringLiteral("Currently created list of files appended to the Database. However, you\r\n"
                       "can see them in the list here only on starting the application afresh."),
        Icon::Information);
}

// ---- Record display ----

void AddDataWindow::showRecord(const SongRecord &record)
{
    QLineEdit *const boxes[ColumnCount] = {m_ui.txtID, m_ui.Text4,  m_ui.Text3, m_ui.Text5, m_ui.Text11, m_ui.Text6,
                                           m_ui.Text7, m_ui.Text9,  m_ui.Text10, m_ui.Text8, m_ui.Text12};
    for (const Column c : DisplayOrder)
        boxes[c]->setText(record[c]);
    m_ui.Text8->setText(shownOccasion(m_ui.Text8->text()));
    m_ui.Text12->setText(shownStatus(m_ui.Text12->text()));
}

bool AddDataWindow::DisplayRecord(const QString &key)
{
    const std::optional<qint32> id = recordKey(key);
    if (!id)
        return false;
    const auto found = m_state.database.connection().recordByKey(*id);
    if (!found.ok() || !found.value)
        return false;
    showRecord(*found.value);
    return true;
}

void AddDataWindow::DisplayFirstRecord()
{
    const auto first = m_state.database.connection().firstRecord();
    if (first.ok() && first.value) {
        showRecord(*first.value);
        return;
    }
    // Nothing to read: the defaults still apply to what the boxes hold.
    m_ui.Text8->setText(shownOccasion(m_ui.Text8->text()));
    m_ui.Text12->setText(shownStatus(m_ui.Text12->text()));
}

void AddDataWindow::DisplayRecordAt(qint32 position)
{
    const auto at = m_state.database.connection().recordAt(position);
    if (at.ok())
        showRecord(at.value);
    else if (at.failure.number != err::NoCurrentRecord)
        reportFailure(at.failure);
}

void AddDataWindow::ClearAllField()
{
    for (QLineEdit *box : {m_ui.Text3, m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8, m_ui.Text9,
                           m_ui.Text10, m_ui.Text11, m_ui.Text12})
        box->clear();
    if (!m_ui.Text13->text().isEmpty())
        m_ui.Text13->clear();
}

void AddDataWindow::Text13_Change()
{
    qint32 position = 0;
    switch (RecordNumberRule::check(m_ui.Text13->text(), m_totalRecords, &position)) {
    case RecordNumberRule::Verdict::Ignore:
        return;
    case RecordNumberRule::Verdict::OutOfRange:
        say(RecordNumberRule::rangeMessage(m_totalRecords), Icon::None);
        // Setting "1" runs this check again, as typing it would.
        m_ui.Text13->setText(QStringLiteral("1"));
        break;
    case RecordNumberRule::Verdict::Show:
        break;
    }
    // The box may have been reset (or cleared) meanwhile.
    const std::optional<qint32> shown = recordKey(m_ui.Text13->text());
    if (!shown)
        return;
    // A line of the all-records list stands for the record at its position:
    // selecting it below shows that line's record, found at once by its key
    // where the table would be walked up to the position, or says that the
    // record is gone. Only a number beyond the list walks the table.
    const bool listed = *shown < m_browser->allRecordsLines() - 1;
    if (!listed)
        DisplayRecordAt(*shown);
    m_ui.Text1->setText(m_ui.Text13->text());
    if (listed)
        m_browser->selectAllRecordsLine(*shown - 1);
}

bool AddDataWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.Text13 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        return !RecordNumberRule::acceptsKey(key->key(), key->text());
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_ui.Image8) {
            changePhoto(false);
            return true;
        }
        if (watched == m_ui.Label23) {
            changePhoto(true);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const int picture = m_ui.Image1.indexOf(qobject_cast<QLabel *>(watched));
        const int caption = m_ui.Label17.indexOf(qobject_cast<QLabel *>(watched));
        if (picture >= 0 || caption >= 0) {
            m_navigator.showProgramInfo(picture >= 0 ? picture : caption);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Record editing ----

void AddDataWindow::setEditable(QLineEdit *box, bool editable)
{
    platform::setLooksEditable(box, editable);
    platform::setReadableTextColour(box, editable ? EditingColour : LockedColour);
}

void AddDataWindow::EditRecord_Click()
{
    if (m_ui.EditRecord->text() != EditCaption) {
        UpdateRecord();
        return;
    }
    setEditable(m_ui.Text8, true);
    setEditable(m_ui.Text9, true);
    setEditable(m_ui.Text12, true);
    const bool titleOpen = titleEditable(m_ui.Text5->text());
    if (titleOpen)
        setEditable(m_ui.Text5, true);
    m_ui.EditRecord->setText(UpdateCaption);
    // The first box open for typing, in the order they stand.
    (titleOpen ? m_ui.Text5 : m_ui.Text9)->setFocus(Qt::OtherFocusReason);
}

void AddDataWindow::UpdateRecord()
{
    const std::optional<qint32> key = recordKey(m_ui.txtID->text());
    if (!key) {
        reportFailure({13, QStringLiteral("Type mismatch")});
        return;
    }
    const Failure failure = m_state.database.connection().updateRecord(
        *key, m_ui.Text5->text(), m_ui.Text8->text(), m_ui.Text9->text(), m_ui.Text12->text());
    if (failure.isSet() && failure.number != err::NotSupported) {
        reportFailure(failure);
        return;
    }
    LockEditFields();
}

void AddDataWindow::LockEditFields()
{
    for (QLineEdit *box : {m_ui.Text8, m_ui.Text9, m_ui.Text12, m_ui.Text5})
        setEditable(box, false);
    m_ui.EditRecord->setText(EditCaption);
}

// ---- Deleting ----

void AddDataWindow::DeleteDisk_Click()
{
    WaitCursor wait(this);
    m_ui.DataList1->hide();
    m_ui.List1->show();
    const QString disk = m_ui.Text2->text();
    if (!m_state.database.connection().isOpen()) {
        wait.restore();
        reportFailure(connectionClosedFailure());
        return;
    }
    platform::Message question;
    question.text = QStringLiteral("Really want to delete the enteries of Disk labelled ") + disk + QStringLiteral("?");
    question.icon = Icon::Exclamation;
    question.buttons = Buttons::YesNo;
    // Enter alone must not delete a disk.
    question.defaultButton = Button::No;
    if (m_app.dialogs->message(question) != Button::Yes) {
        m_ui.DeleteDisk->setEnabled(false);
        return;
    }
    // One transaction: all the disk's records or none, while the window keeps painting.
    SongConnection &connection = m_state.database.connection();
    int deleted = 0;
    const Failure failure =
        runRowsChange(connection, [&] { return connection.deleteDiskChange(disk); }, &deleted);
    if (failure.isSet()) {
        wait.restore();
        reportFailure(failure);
        return;
    }
    setTotalRecords(m_totalRecords - deleted);
    m_browser->SearchDisks_Click();
    if (say(QString::number(deleted) + QStringLiteral(" Records of the selected Disk deleted successfully.\r\n")
                + QStringLiteral("Want to update the 'Show All' list?"),
            Icon::Information, Buttons::YesNo)
        == Button::Yes)
        ReloadAllList();
}

void AddDataWindow::DeleteAll_Click()
{
    if (m_totalRecords == 0) {
        say(QStringLiteral("There is no record to delete."), Icon::Information);
        return;
    }
    if (say(QStringLiteral("Do you really want to delete all the ") + QString::number(m_totalRecords)
                + QStringLiteral(" database records?\r\nIf yes, then enter password in the left box and press OK."),
            Icon::Critical, Buttons::YesNo)
        != Button::Yes)
        return;
    m_ui.Label16->hide();
    m_ui.Text13->hide();
    m_ui.Label21->show();
    m_ui.OK->show();
    m_ui.Text14->show();
    m_ui.Text14->setFocus();
}

void AddDataWindow::showRecordNumberGroup()
{
    m_ui.Label21->hide();
    m_ui.OK->hide();
    m_ui.Text14->hide();
    m_ui.Label16->show();
    m_ui.Text13->show();
}

void AddDataWindow::OK_Click()
{
    WaitCursor wait(this);
    if (m_ui.Text14->text() != DeleteAllPassword) {
        wait.restore();
        say(QStringLiteral("Incorrect password, only authorised persons can delete\r\n"
                           "all contents of the Database file"),
            Icon::Exclamation);
        showRecordNumberGroup();
        return;
    }
    // A large table takes a while to empty: the window keeps painting meanwhile.
    SongConnection &connection = m_state.database.connection();
    int deleted = 0;
    const Failure failure =
        runRowsChange(connection, [&] { return connection.deleteAllChange(); }, &deleted);
    if (failure.isSet()) {
        wait.restore();
        reportFailure(failure);
        showRecordNumberGroup();
        return;
    }
    setTotalRecords(0);
    m_ui.DataList1Lines->clear();
    m_ui.List1Lines->clear();
    for (QLineEdit *box : {m_ui.Text1, m_ui.Text3, m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7, m_ui.Text8,
                           m_ui.Text9, m_ui.Text10, m_ui.Text11, m_ui.Text12, m_ui.Text13, m_ui.Text14, m_ui.txtID})
        box->clear();
    m_ui.Label15->clear();
    m_ui.Image8->clear();
    wait.restore();
    say(QStringLiteral("All records of the Database file delected."), Icon::Information);
    showRecordNumberGroup();
}

// ---- Photographs ----

Failure AddDataWindow::loadPhoto()
{
    const Photographs photos(m_app.appFolder);
    const std::optional<QString> file = photos.fileFor(m_ui.Text4->text());
    if (!file || !QFile::exists(*file)) {
        m_ui.Image8->clear();
        return {err::FileNotFound, QStringLiteral("File not found")};
    }
    QPixmap picture;
    if (!picture.load(*file)) {
        m_ui.Image8->clear();
        return {InvalidPicture, QStringLiteral("Invalid picture")};
    }
    m_ui.Image8->setPixmap(
        picture.scaled(m_ui.Image8->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return {};
}

void AddDataWindow::changePhoto(bool adding)
{
    const QString disk = m_ui.Text4->text();
    if (!Photographs::usableDiskId(disk)) {
        say(Photographs::refusalText(disk), Icon::Exclamation);
        return;
    }
    const QString question = adding ? QStringLiteral("Want to add photo of Artist related to this Disk?")
                                    : QStringLiteral("Want to replace photo of the Artist related to this Disk?");
    if (say(question, adding ? Icon::Information : Icon::Exclamation, Buttons::YesNo) != Button::Yes)
        return;
    const Photographs photos(m_app.appFolder);
    QDir().mkpath(photos.folder());
    platform::FileRequest request;
    request.initialFolder = photos.folder();
    request.filter = PictureFilter;
    const std::optional<QString> picture = m_app.dialogs->openFileName(request);
    if (!picture)
        return;
    if (const Failure f = photos.store(disk, *picture); f.isSet()) {
        reportFailure(f);
        return;
    }
    if (adding)
        m_ui.Image8->show();
    if (const Failure f = loadPhoto(); f.isSet())
        reportFailure(f);
}

// ---- The list procedures, kept in the browser ----

void AddDataWindow::Searcher_AllTitle()
{
    m_browser->Searcher_AllTitle();
}

void AddDataWindow::ReloadAllList()
{
    m_browser->ReloadAllList();
}

void AddDataWindow::DisplayFindResult()
{
    m_browser->DisplayFindResult();
}

} // namespace songdb
