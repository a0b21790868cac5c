#include "listmaker/makeslistwindow.h"

#include "listmaker/currentlist.h"
#include "listmaker/diskidcheck.h"
#include "listmaker/drivelistbox.h"
#include "listmaker/durationtext.h"
#include "listmaker/filelistbox.h"
#include "listmaker/folderlistbox.h"
#include "listmaker/folderscanner.h"
#include "listmaker/listx.h"
#include "platform/textfile.h"
#include "shell/navigator.h"
#include "songdb/adddatawindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace listmaker {

namespace {

using platform::Button;
using platform::Buttons;
using platform::Icon;

const QString EditedListFile = QStringLiteral("~Editedlist.txt");
constexpr int RecordRole = Qt::UserRole;
// How often a running scan lets the window repaint its progress.
constexpr qint64 ProgressEveryMs = 50;

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

QStringList entries(const QListWidget *list)
{
    QStringList out;
    out.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QLabel *label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit *textBox(const char *name, const QString &text, QWidget *parent)
{
    auto *t = new QLineEdit(text, parent);
    t->setObjectName(QString::fromLatin1(name));
    return t;
}

QListWidget *listBox(const char *name, const QColor &text, const QColor &base, QWidget *parent)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setUniformItemSizes(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, base);
    l->setPalette(p);
    return l;
}

QAction *action(const char *name, const QString &text, QObject *parent)
{
    auto *a = new QAction(text, parent);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

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
    Form_Load();
}

MakeSListWindow::~MakeSListWindow() = default;

void MakeSListWindow::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);

    // Browsing column.
    m_drive1 = new DriveListBox(m_app.drives, central);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1 = new FolderListBox(central);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_label14 = label("Label14", QStringLiteral("Files of current folder"), central);
    m_file1 = new FileListBox(central);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_label15 = label("Label15", QStringLiteral("555"), central);
    auto *browse = new QVBoxLayout;
    browse->addWidget(m_drive1);
    browse->addWidget(m_dir1, 3);
    browse->addWidget(m_label14);
    browse->addWidget(m_file1, 2);
    browse->addWidget(m_label15);

    // Disk ID, artist and the commands.
    m_label2 = label("Label2", QStringLiteral("Disk's ID"), central);
    m_text3 = textBox("Text3", QString(), central);
    m_label3 = label("Label3", QStringLiteral("Artist(s)"), central);
    m_text1 = textBox("Text1", QString(), central);
    m_addList = button("AddList", QStringLiteral("Make &List"), central);
    m_existingDisk = button("ExistingDisk", QStringLiteral("Existing &Disks"), central);
    m_addToAccess = button("AddToAccess", QStringLiteral("&Append created list To Database"), central);
    auto *ids = new QGridLayout;
    ids->addWidget(m_label2, 0, 0);
    ids->addWidget(m_text3, 0, 1);
    ids->addWidget(m_label3, 1, 0);
    ids->addWidget(m_text1, 1, 1);
    auto *commands = new QHBoxLayout;
    commands->addWidget(m_addList);
    commands->addWidget(m_existingDisk);
    commands->addWidget(m_addToAccess);
    commands->addStretch();
    ids->addLayout(commands, 2, 0, 1, 2);

    // The decorative logo player, and one kept for the logo command.
    m_mediaPlayer1 = new QFrame(central);
    m_mediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    m_mediaPlayer1->setFixedSize(128, 80);
    static_cast<QFrame *>(m_mediaPlayer1)->setFrameShape(QFrame::StyledPanel);
    m_mediaPlayer2 = new QWidget(central);
    m_mediaPlayer2->setObjectName(QStringLiteral("MediaPlayer2"));
    m_mediaPlayer2->hide();
    auto *top = new QHBoxLayout;
    top->addLayout(ids, 1);
    top->addWidget(m_mediaPlayer1, 0, Qt::AlignTop);

    // The four lists on one rectangle.
    m_label1 = label("Label1", QString(), central);
    QFont headingFont = m_label1->font();
    headingFont.setBold(true);
    m_label1->setFont(headingFont);
    m_sortList = button("SortList", QStringLiteral("Seqntl Sorted  List-x"), central);
    m_label9 = label("Label9", QStringLiteral("Seqntl"), central);
    m_label16 = label("Label16", QString(), central);
    auto *modeRow = new QHBoxLayout;
    modeRow->addWidget(m_sortList);
    modeRow->addWidget(m_label9);
    modeRow->addStretch();
    modeRow->addWidget(m_label16);

    m_list1 = listBox("List1", Qt::black, Qt::white, central);
    m_list2 = listBox("List2", Qt::blue, Qt::white, central);
    m_list3 = listBox("List3", QColor(128, 0, 128), Qt::white, central);
    m_list4 = listBox("List4", Qt::white, QColor(0, 0, 128), central);
    auto *lists = new QGridLayout;
    lists->addWidget(m_list1, 0, 0);
    lists->addWidget(m_list2, 0, 0);
    lists->addWidget(m_list3, 0, 0);
    lists->addWidget(m_list4, 0, 0);
    m_list2->hide();
    m_list3->hide();
    m_list4->hide();

    m_label17 = label("Label17", QStringLiteral("Select  and Edit song title/ filename"), central);
    m_text4 = textBox("Text4", QStringLiteral("Text4"), central);
    m_editList4 = button("EditList4", QStringLiteral("Edit"), central);
    m_editList4->setEnabled(false);
    auto *editRow = new QHBoxLayout;
    editRow->addWidget(m_label17);
    editRow->addWidget(m_text4, 1);
    editRow->addWidget(m_editList4);

    m_label10 = label("Label10", QStringLiteral("Restrict filename characters to"), central);
    m_text2 = textBox("Text2", listx::DefaultLimitText, central);
    m_text2->setMaximumWidth(60);
    m_concatanate = button("Concatanate", QStringLiteral("List-x"), central);
    auto *listxRow = new QHBoxLayout;
    listxRow->addWidget(m_label10);
    listxRow->addWidget(m_text2);
    listxRow->addWidget(m_concatanate);
    listxRow->addStretch();

    // Progress, timing and the file being played.
    m_label5 = label("Label5", QString(), central);
    m_label7 = label("Label7", QString(), central);
    m_label6 = label("Label6", QString(), central);
    m_label8 = label("Label8", QString(), central);
    m_label11 = label("Label11", QString(), central);
    for (QLabel *l : {m_label6, m_label8})
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label6->setMinimumWidth(200);
    m_label8->setMinimumWidth(200);
    auto *status = new QGridLayout;
    status->addWidget(m_label5, 0, 0);
    status->addWidget(m_label7, 0, 1);
    status->addWidget(m_label6, 1, 0, 1, 2);
    status->addWidget(m_label8, 2, 0, 1, 2);

    m_mediaPlayer3 = new QFrame(central);
    m_mediaPlayer3->setObjectName(QStringLiteral("MediaPlayer3"));
    static_cast<QFrame *>(m_mediaPlayer3)->setFrameShape(QFrame::StyledPanel);
    auto *surface = new QWidget(m_mediaPlayer3);
    surface->setObjectName(QStringLiteral("MediaPlayer3Surface"));
    surface->setMinimumSize(0, 0);
    auto *playButton = new QToolButton(m_mediaPlayer3);
    playButton->setObjectName(QStringLiteral("MediaPlayer3Play"));
    playButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    playButton->setToolTip(QStringLiteral("Play"));
    auto *stopButton = new QToolButton(m_mediaPlayer3);
    stopButton->setObjectName(QStringLiteral("MediaPlayer3Stop"));
    stopButton->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    stopButton->setToolTip(QStringLiteral("Stop"));
    auto *transport = new QHBoxLayout(m_mediaPlayer3);
    transport->setContentsMargins(4, 2, 4, 2);
    transport->addWidget(playButton);
    transport->addWidget(stopButton);
    transport->addWidget(m_label11, 1);
    transport->addWidget(surface);
    connect(playButton, &QToolButton::clicked, this, [this] { m_player3->play(); });
    connect(stopButton, &QToolButton::clicked, this, [this] { m_player3->stop(); });

    auto *work = new QVBoxLayout;
    work->addLayout(top);
    work->addWidget(m_label1);
    work->addLayout(modeRow);
    work->addLayout(lists, 1);
    work->addLayout(editRow);
    work->addLayout(listxRow);
    work->addLayout(status);
    work->addWidget(m_mediaPlayer3);

    auto *main = new QHBoxLayout(central);
    main->addLayout(browse, 2);
    main->addLayout(work, 5);

    // Menus.
    m_back = action("Back", QStringLiteral("Back"), this);
    m_clearList = action("ClearList", QStringLiteral("Clear List"), this);
    m_saveSequential = action("SaveSequential", QStringLiteral("Save Sequential List"), this);
    m_saveSorted = action("SaveSorted", QStringLiteral("Save Sorted List"), this);
    m_saveX = action("SaveX", QStringLiteral("Save Concat. List-x"), this);
    m_saveEdited = action("SaveEdited", QStringLiteral("Save Edited List"), this);
    m_about = action("About", QStringLiteral("About"), this);
    m_help = action("Help", QStringLiteral("Help"), this);
    QMenuBar *bar = menuBar();
    bar->addAction(m_back);
    bar->addAction(m_clearList);
    QMenu *save = bar->addMenu(QStringLiteral("Save List"));
    save->setObjectName(QStringLiteral("SaveList"));
    save->menuAction()->setObjectName(QStringLiteral("SaveList"));
    save->addAction(m_saveSequential);
    save->addAction(m_saveSorted);
    save->addAction(m_saveX);
    save->addAction(m_saveEdited);
    bar->addAction(m_about);
    bar->addAction(m_help);

    resize(980, 680);
}

void MakeSListWindow::connectControls()
{
    connect(m_drive1, &DriveListBox::driveChosen, this, &MakeSListWindow::Drive1_Change);
    connect(m_dir1, &FolderListBox::pathChanged, this, &MakeSListWindow::Dir1_Change);
    connect(m_file1, &QListWidget::currentRowChanged, this, &MakeSListWindow::File1_Click);
    connect(m_file1, &QListWidget::itemDoubleClicked, this, &MakeSListWindow::File1_DblClick);

    connect(m_addList, &QPushButton::clicked, this, &MakeSListWindow::AddList_Click);
    connect(m_existingDisk, &QPushButton::clicked, this, &MakeSListWindow::ExistingDisk_Click);
    connect(m_addToAccess, &QPushButton::clicked, this, &MakeSListWindow::AddToAccess_Click);
    connect(m_sortList, &QPushButton::clicked, this, &MakeSListWindow::SortList_Click);
    connect(m_editList4, &QPushButton::clicked, this, &MakeSListWindow::EditList4_Click);
    connect(m_concatanate, &QPushButton::clicked, this, &MakeSListWindow::Concatanate_Click);
    connect(m_text2, &QLineEdit::textChanged, m_concatanate, [this] { m_concatanate->setEnabled(true); });
    connect(m_text4, &QLineEdit::textChanged, this, &MakeSListWindow::Text4_Change);

    // A click on the line already selected shows its path again, as any click does.
    const std::pair<QListWidget *, void (MakeSListWindow::*)()> clicks[] = {
        {m_list1, &MakeSListWindow::List1_Click},
        {m_list2, &MakeSListWindow::List2_Click},
        {m_list3, &MakeSListWindow::List3_Click},
        {m_list4, &MakeSListWindow::List4_Click},
    };
    for (const auto &[list, handler] : clicks) {
        connect(list, &QListWidget::currentRowChanged, this, handler);
        connect(list, &QListWidget::itemClicked, this, handler);
    }
    connect(m_list1, &QListWidget::itemDoubleClicked, this, &MakeSListWindow::List1_DblClick);
    connect(m_list2, &QListWidget::itemDoubleClicked, this, &MakeSListWindow::List2_DblClick);
    connect(m_list3, &QListWidget::itemDoubleClicked, this, &MakeSListWindow::List3_DblClick);
    connect(m_list4, &QListWidget::itemDoubleClicked, this, &MakeSListWindow::List4_DblClick);

    connect(m_back, &QAction::triggered, this, &MakeSListWindow::Back_Click);
    connect(m_clearList, &QAction::triggered, this, &MakeSListWindow::ClearList_Click);
    connect(m_saveSequential, &QAction::triggered, this, [this] { saveReport(ReportKind::Sequential, m_list1); });
    connect(m_saveSorted, &QAction::triggered, this, [this] { saveReport(ReportKind::Sorted, m_list2); });
    connect(m_saveX, &QAction::triggered, this, [this] { saveReport(ReportKind::ListX, m_list3); });
    connect(m_saveEdited, &QAction::triggered, this, [this] { saveReport(ReportKind::Edited, m_list4); });
    connect(m_about, &QAction::triggered, this, &MakeSListWindow::About_Click);
    connect(m_help, &QAction::triggered, this, &MakeSListWindow::Help_Click);
}

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

void MakeSListWindow::ExistingDisk_Click()
{
    m_editList4->setEnabled(false);
    m_list4->clear();
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
    // Only now do the lists stop holding Disk IDs: a refusal above leaves them as they were.
    ExistingDisksShown = false;
    const MakingList making(m_making);
    setCursor(Qt::WaitCursor);
    ClearList_Click();
    CheckDiskID();
    if (DiskIDMatches != 0) {
        DiskIDMatches = 0;
        say(QStringLiteral("You are already having a Disk with ID mark '") + m_text3->text()
                + QStringLiteral("'.\r\nCheck whether you have already appended this Disk's\r\n"
                                 "file list to your Database file 'DizaRore'."),
            Icon::Critical);
        unsetCursor();
        return;
    }
    m_addList->setEnabled(false);
    ScanFolders();
    m_label6->clear();
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

void MakeSListWindow::ScanFolders()
{
    CurrentList &list = m_state.currentList;
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
    FoldersScanned += outcome.foldersScanned;
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
        m_editList4->setText(QStringLiteral("Update"));
        m_list1->hide();
        m_list2->hide();
        m_list3->hide();
        m_list4->show();
        m_sortList->setEnabled(false);
        m_text4->setEnabled(false);
        m_label8->setText(QStringLiteral("EDITING MODE OF Quenmora"));
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
