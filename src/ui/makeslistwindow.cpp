// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/makeslistwindow.h"

#include "listmaker/currentlist.h"
#include "listmaker/diskidcheck.h"
#include "listmaker/durationtext.h"
#include "listmaker/folderscanner.h"
#include "listmaker/vanishedmedium.h"
#include "platform/textfile.h"
#include "ui/adddatawindow.h"
#include "ui/drivelistbox.h"
#include "ui/filelistbox.h"
#include "ui/folderlistbox.h"
#include "ui/navigator.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace listmaker {

namespace {

using platform::Button;
using platform::Buttons;
using platform::Icon;

const QString EditedListFile = QStringLiteral("~Editedlist.txt");

// Marks a list creation as running for as long as the command lasts.
class MakingList
{
public:
    explicit MakingList(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~MakingList() { m_flag = false; }
    MakingList(const MakingList &) = delete;
    MakingList &operator=(const MakingList &) = delete;

private:
    bool &m_flag;
};

} // namespace

MakeSListWindow::MakeSListWindow(platform::AppContext &app, shell::SharedState &state, shell::Navigator &navigator,
                                 QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_state(state)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("MakeSList"));
    setWindowTitle(QStringLiteral("Quenmora - Create File List to Append the Database"));
    buildControls();
    m_player1 = m_app.makePlayer(m_mediaPlayer1);
    m_player2 = m_app.makePlayer(m_mediaPlayer2);
    m_player3 = m_app.makePlayer(m_mediaPlayer3->findChild<QWidget *>(QStringLiteral("MediaPlayer3Surface")));
    connectControls();
    m_player3->setFailureHandler([this] { playbackFailed(); });
    m_mediaRetry = new QTimer(this);
    m_mediaRetry->setSingleShot(true);
    m_mediaRetry->setInterval(int(ProgressEveryMs));
    connect(m_mediaRetry, &QTimer::timeout, this, &MakeSListWindow::MediaChanged);
    m_mediaWatch = m_app.drives->watch([this] { MediaChanged(); });
    Form_Load();
}

MakeSListWindow::~MakeSListWindow() = default;

void MakeSListWindow::Form_Load()
{
    m_state.database.ConnectDatabase();
    m_dir1->open(m_app.appFolder);
    if (m_file1->count() > 0)
        selectFirst(m_file1);
    ShowVolumeLabel();
    QFile::remove(currentListFile());
}

QString MakeSListWindow::currentListFile() const
{
    return m_app.file(currentlistfile::FileName);
}

platform::Button MakeSListWindow::say(const QString &text, platform::Icon icon, platform::Buttons buttons)
{
    return m_app.say(text, icon, buttons);
}

// ---- Browsing ------------------------------------------------------------

void MakeSListWindow::Drive1_Change()
{
    for (;;) {
        const QString drive = m_drive1->path();
        if (!m_app.drives->isReady(drive)) {
            if (say(QStringLiteral("Selected drive device not ready."), Icon::Exclamation, Buttons::RetryCancel)
                == Button::Retry) {
                continue;
            }
            m_drive1->showDriveOf(m_dir1->path());
            return;
        }
        QString folder = m_driveFolders.value(drive, drive);
        if (!QFileInfo(folder).isDir())
            folder = drive;
        if (!m_dir1->open(folder)) {
            say(QStringLiteral("Path not found"), Icon::None);
            m_drive1->showDriveOf(m_dir1->path());
            return;
        }
        break;
    }
    ShowVolumeLabel();
    ClearList_Click();
}

void MakeSListWindow::Dir1_Change()
{
    const QString folder = m_dir1->path();
    m_file1->setPath(folder);
    if (m_file1->count() > 0)
        selectFirst(m_file1);
    m_label8->clear();
    m_drive1->showDriveOf(folder);
    const QString drive = m_drive1->driveOf(folder);
    if (!drive.isEmpty())
        m_driveFolders.insert(drive, folder);
}

void MakeSListWindow::File1_Click()
{
    const int row = m_file1->currentRow();
    if (row >= 0)
        m_label15->setText(QString::number(row + 1));
}

void MakeSListWindow::ShowVolumeLabel()
{
    m_text3->setText(m_app.drives->volumeLabel(m_dir1->path()));
}

// The drive list follows the system. A drive that went away while its
// folders were shown falls back to the drive now shown in its place, as
// choosing that drive does; a list made from it stays, since appending it
// no longer needs the medium.
void MakeSListWindow::MediaChanged()
{
    if (m_making) {
        // The running command reads from the folders shown: after it, once
        // for all the changes meanwhile.
        m_mediaRetry->start();
        return;
    }
    m_mediaRetry->stop();
    if (!m_drive1->refreshLost())
        return;
    const QString drive = m_drive1->path();
    QString folder = m_driveFolders.value(drive, drive);
    if (!QFileInfo(folder).isDir())
        folder = drive;
    m_dir1->open(folder);
    ShowVolumeLabel();
}

void MakeSListWindow::playbackFailed()
{
    const QString gone = vanishedFolder(QFileInfo(m_player3->fileName()).path());
    if (gone.isEmpty())
        return;
    stopPlayer();
    m_label11->clear();
    say(vanishedText(gone, QStringLiteral("Playback stopped.")), Icon::Exclamation);
    MediaChanged();
}

void MakeSListWindow::ExistingDisk_Click()
{
    m_editList4->setEnabled(false);
    m_list4->clear();
    m_label6->clear();
    const double start = m_app.clock->milliseconds();
    const auto ids = m_state.database.connection().groupValues(songdb::DiskID, false);
    if (!ids.ok()) {
        // The lists still hold the files of the last list.
        say(platform::errorText(ids.failure.number, ids.failure.description), Icon::None);
        return;
    }
    ExistingDisksShown = true;
    m_list1->clear();
    m_list2->clear();
    m_list3->clear();
    m_list1->addItems(ids.value);
    fillSorted(ids.value, false);
    m_list3->addItems(ids.value);
    if (m_list1->count() == 0) {
        say(QStringLiteral("No Disk label was found in the database."), Icon::Information);
        return;
    }
    m_label1->setText(QStringLiteral("Following Disk IDs are already in use (") + QString::number(m_list1->count())
                      + QStringLiteral("):"));
    selectFirstOfViews();
    showElapsed(start);
}

void MakeSListWindow::showElapsed(double startMs)
{
    m_label5->setText(listCreatedText(m_app.clock->milliseconds() - startMs));
}

// ---- List creation -------------------------------------------------------

void MakeSListWindow::AddList_Click()
{
    const double start = m_app.clock->milliseconds();
    m_mediaPlayer1->hide();
    if (m_text3->text().isEmpty()) {
        say(QStringLiteral("It is mandatory to give an ID to your DISK. Give a\r\n"
                           "unique name so that you can locate it afterwards."),
            Icon::Critical);
        return;
    }
    if (m_text1->text().isEmpty()) {
        const Button answer = say(QStringLiteral("It is advisable to give an Artist ID to your DISK. Give a\r\n"
                                                 "suitable name of Artist(s) so that you can locate it by\r\n"
                                                 "artist name afterwards. Would you like to give Artist ID?"),
                                  Icon::Critical, Buttons::YesNoCancel);
        if (answer != Button::No)
            return;
    }
    const MakingList making(m_making);
    setCursor(Qt::WaitCursor);
    CheckDiskID();
    if (DiskIDMatches != 0) {
        // Only now do the lists stop holding Disk IDs: a refusal above leaves them as they were.
        ExistingDisksShown = false;
        ClearList_Click();
        DiskIDMatches = 0;
        say(QStringLiteral("You are already having a Disk with ID mark '") + m_text3->text()
                + QStringLiteral("'.\r\nCheck whether you have already appended this Disk's\r\n"
                                 "file list to your Database file 'DizaRore'."),
            Icon::Critical);
        unsetCursor();
        return;
    }
    // The walk fills a copy: a medium that goes away under it leaves the
    // current list, its views and its file as they were.
    CurrentList scanned = m_state.currentList;
    if (!ScanFolders(&scanned)) {
        unsetCursor();
        return;
    }
    ExistingDisksShown = false;
    ClearList_Click();
    m_addList->setEnabled(false);
    m_state.currentList = std::move(scanned);
    CurrentList &list = m_state.currentList;
    list.TotalFilesText = QString::number(list.FileCount);

    const currentlistfile::WriteResult written = currentlistfile::write(currentListFile(), list);
    if (written.limitExceeded) {
        say(QStringLiteral("Can't continue. Number of files exceeded the limit 10000."), Icon::Information);
        m_addList->setEnabled(true);
        unsetCursor();
        return;
    }
    if (written.failure.isSet()) {
        // Going on would announce a list that was never written.
        QFile::remove(currentListFile());
        say(platform::errorText(written.failure.number, written.failure.description), Icon::None);
        m_addList->setEnabled(true);
        unsetCursor();
        m_mediaPlayer1->show();
        FoldersScanned = 0;
        return;
    }
    Display_Current();
    m_editList4->setEnabled(true);
    showElapsed(start);
    FillListX();
    say(QStringLiteral("LIST of Files and other informations CREATED."), Icon::Information);
    unsetCursor();
    m_mediaPlayer1->show();
    FoldersScanned = 0;
}

void MakeSListWindow::CheckDiskID()
{
    const auto ids = m_state.database.connection().groupValues(songdb::DiskID, false);
    if (!ids.ok())
        return; // an unreadable database does not stop a new list
    DiskIDMatches = countDiskIdMatches(ids.value, m_text3->text());
}

bool MakeSListWindow::ScanFolders(CurrentList *scanned)
{
    CurrentList &list = *scanned;
    ScanStartFolder = m_dir1->path();
    list.DiskLabel = m_text3->text();
    list.ArtistText = m_text1->text();
    list.ExtensionText = QStringLiteral("NA");
    // Counted afresh: a scan stopped by the file limit must not add to the next one.
    FoldersScanned = 0;

    QElapsedTimer sinceShown;
    const ScanOutcome outcome = listmaker::ScanFolders(ScanStartFolder, list, [&](const QString &folder) {
        if (sinceShown.isValid() && sinceShown.elapsed() < ProgressEveryMs)
            return;
        m_label6->setText(QStringLiteral("Path: ") + folder);
        // Repaint, but take no clicks or keys while the list is half made.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        sinceShown.start();
    });
    m_label6->clear();
    if (!outcome.vanishedFolder.isEmpty()) {
        FoldersScanned = 0;
        say(vanishedText(outcome.vanishedFolder, QStringLiteral("No list was made: the current list is as it was.")),
            Icon::Exclamation);
        MediaChanged();
        return false;
    }
    FoldersScanned += outcome.foldersScanned;
    return true;
}

void MakeSListWindow::Display_Current()
{
    m_label1->clear();
    m_label7->clear();
    m_list1->clear();
    m_list2->clear();
    m_list3->clear();

    CurrentList &list = m_state.currentList;
    const currentlistfile::ReadResult read = currentlistfile::read(currentListFile(), &list);
    if (read.failure.number == platform::err::FileNotFound) {
        m_label5->clear();
        platform::Message m;
        m.text = QStringLiteral("You have not created current list.");
        m.title = QStringLiteral("Displaying current list ");
        m.icon = Icon::Exclamation;
        m_app.dialogs->message(m);
        return;
    }
    if (read.failure.isSet()) {
        m_label5->clear();
        return;
    }
    const QStringList titles(list.Titles.cbegin(), list.Titles.cbegin() + read.records);
    m_list1->addItems(titles);
    fillSorted(titles, true);
    m_list3->addItems(titles);
    m_list4->addItems(titles);
    if (read.truncated || read.records == 0) {
        m_label5->clear();
        return;
    }
    selectFirstOfViews();
    m_label1->setText(QStringLiteral("Contents of Current list (") + QString::number(read.records)
                      + QStringLiteral(" Files)."));
    m_label5->clear();
    m_label7->setText(QStringLiteral("Folders scanned: ") + QString::number(FoldersScanned));
}

// ---- Window commands -----------------------------------------------------

void MakeSListWindow::ClearList_Click()
{
    QFile::remove(currentListFile());
    QFile::remove(m_app.file(EditedListFile));
    m_list1->clear();
    m_list2->clear();
    m_list3->clear();
    m_list4->clear();
    m_label1->clear();
    m_label16->clear();
    m_label7->clear();
    m_addList->setEnabled(true);
    m_editList4->setEnabled(false);
    m_label5->clear();
    stopPlayer();
    m_label8->clear();
    m_label6->clear(); // titles read from tags are forgotten with List4
}

void MakeSListWindow::AddToAccess_Click()
{
    QFile file(currentListFile());
    if (!file.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("There is no list to append in the 'DizaRore' Database."), Icon::Exclamation);
        return;
    }
    file.close();
    QFile::remove(currentListFile());
    ClearList_Click();
    m_navigator.navigationWindow().showInAppendMode();
    hide();
}

void MakeSListWindow::Back_Click()
{
    m_navigator.showMain();
    hide();
}

void MakeSListWindow::Help_Click()
{
    m_app.showHelp(this);
}

void MakeSListWindow::About_Click()
{
    m_navigator.showProgramInfo(0);
}

void MakeSListWindow::saveReport(ReportKind kind, QListWidget *source)
{
    if (source->count() == 0) {
        say(QStringLiteral("No contents in the current list to save."), Icon::Information);
        return;
    }
    const QString results = m_app.file(ResultsFolder);
    QDir().mkpath(results);
    platform::FileRequest request;
    request.initialFolder = results;
    request.filter = ReportFilter;
    const std::optional<QString> name = m_app.dialogs->saveFileName(request);
    if (!name || name->isEmpty())
        return;
    ReportHeader header;
    header.diskId = m_text3->text();
    header.artist = m_text1->text();
    header.foldersLine = m_label7->text();
    header.countLine = m_label1->text();
    header.date = m_app.clock->now().date();
    const platform::Failure failure = platform::writeTextLines(*name, reportLines(kind, header, entries(source)));
    if (failure.isSet())
        say(platform::errorText(failure.number, failure.description), Icon::None);
}

void MakeSListWindow::resetAfterAppend()
{
    m_text1->clear();
    m_text3->clear();
    m_list1->clear();
    m_addList->setEnabled(true);
    m_label1->clear();
}

platform::MediaPlayer &MakeSListWindow::mediaPlayer1()
{
    return *m_player1;
}

platform::MediaPlayer &MakeSListWindow::mediaPlayer2()
{
    return *m_player2;
}

bool MakeSListWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Titles from tags may be taken whenever titles may be edited.
    if (watched == m_editList4 && event->type() == QEvent::EnabledChange)
        m_tagTitles->setEnabled(m_editList4->isEnabledTo(this));
    return QMainWindow::eventFilter(watched, event);
}

void MakeSListWindow::closeEvent(QCloseEvent *event)
{
    if (m_making) {
        // The running scan still writes into this window; it closes once the list is made.
        event->ignore();
        return;
    }
    m_navigator.showMain();
    event->accept();
}

} // namespace listmaker
