// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/makeslistwindow.h"

#include "listmaker/listx.h"
#include "ui/desktop/busywork.h"
#include "ui/drivelistbox.h"
#include "ui/filelistbox.h"
#include "ui/folderlistbox.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

// The controls of the Create File List window and what each of them runs.

namespace listmaker {

namespace {

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

void MakeSListWindow::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);

    // Browsing column.
    m_drive1 = new DriveListBox(m_app.drives, central);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    // A long mount point must not widen the window: the box shows what fits, its list the whole names.
    m_drive1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_drive1->setMinimumContentsLength(12);
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
    // Without an animation playing it shows the window's own background.
    m_mediaPlayer1 = new QWidget(central);
    m_mediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    m_mediaPlayer1->setFixedSize(128, 80);
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

    // Menus. The titles are reached with Alt and a letter that no button of
    // the window uses (the buttons take A, D and L).
    m_back = action("Back", QStringLiteral("&Back"), this);
    m_clearList = action("ClearList", QStringLiteral("&Clear List"), this);
    m_saveSequential = action("SaveSequential", QStringLiteral("Save Sequential List"), this);
    m_saveSorted = action("SaveSorted", QStringLiteral("Save Sorted List"), this);
    m_saveX = action("SaveX", QStringLiteral("Save Concat. List-x"), this);
    m_saveEdited = action("SaveEdited", QStringLiteral("Save Edited List"), this);
    m_about = action("About", QStringLiteral("Abo&ut"), this);
    m_help = action("Help", QStringLiteral("&Help"), this);
    m_tagTitles = action("TagTitles", QStringLiteral("Song &Titles from Tags"), this);
    m_tagTitles->setEnabled(false);
    m_updateDisk = action("UpdateDisk", QStringLiteral("&Update Disk in Catalogue"), this);
    QMenuBar *bar = menuBar();
    bar->addAction(m_back);
    bar->addAction(m_clearList);
    QMenu *save = bar->addMenu(QStringLiteral("&Save List"));
    save->setObjectName(QStringLiteral("SaveList"));
    save->menuAction()->setObjectName(QStringLiteral("SaveList"));
    save->addAction(m_saveSequential);
    save->addAction(m_saveSorted);
    save->addAction(m_saveX);
    save->addAction(m_saveEdited);
    QMenu *tags = bar->addMenu(QStringLiteral("&Tags"));
    tags->setObjectName(QStringLiteral("Tags"));
    tags->menuAction()->setObjectName(QStringLiteral("Tags"));
    tags->addAction(m_tagTitles);
    QMenu *catalogue = bar->addMenu(QStringLiteral("Catalo&gue"));
    catalogue->setObjectName(QStringLiteral("Catalogue"));
    catalogue->menuAction()->setObjectName(QStringLiteral("Catalogue"));
    catalogue->addAction(m_updateDisk);
    bar->addAction(m_about);
    bar->addAction(m_help);

    resize(980, 680);
}

void MakeSListWindow::connectControls()
{
    // Commands that use the connection, start long work or change the lists
    // never run beside background work (reading tags among it).
    using platform::unlessBusy;
    connect(m_drive1, &DriveListBox::driveChosen, this, unlessBusy([this] { Drive1_Change(); }));
    connect(m_dir1, &FolderListBox::pathChanged, this, &MakeSListWindow::Dir1_Change);
    connect(m_file1, &QListWidget::currentRowChanged, this, &MakeSListWindow::File1_Click);
    connect(m_file1, &QListWidget::itemDoubleClicked, this, &MakeSListWindow::File1_DblClick);

    connect(m_addList, &QPushButton::clicked, this, unlessBusy([this] { AddList_Click(); }));
    connect(m_existingDisk, &QPushButton::clicked, this, unlessBusy([this] { ExistingDisk_Click(); }));
    connect(m_addToAccess, &QPushButton::clicked, this, unlessBusy([this] { AddToAccess_Click(); }));
    connect(m_sortList, &QPushButton::clicked, this, unlessBusy([this] { SortList_Click(); }));
    connect(m_editList4, &QPushButton::clicked, this, unlessBusy([this] { EditList4_Click(); }));
    connect(m_concatanate, &QPushButton::clicked, this, unlessBusy([this] { Concatanate_Click(); }));
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
    connect(m_clearList, &QAction::triggered, this, unlessBusy([this] { ClearList_Click(); }));
    connect(m_saveSequential, &QAction::triggered, this, [this] { saveReport(ReportKind::Sequential, m_list1); });
    connect(m_saveSorted, &QAction::triggered, this, [this] { saveReport(ReportKind::Sorted, m_list2); });
    connect(m_saveX, &QAction::triggered, this, [this] { saveReport(ReportKind::ListX, m_list3); });
    connect(m_saveEdited, &QAction::triggered, this, [this] { saveReport(ReportKind::Edited, m_list4); });
    connect(m_about, &QAction::triggered, this, &MakeSListWindow::About_Click);
    connect(m_help, &QAction::triggered, this, &MakeSListWindow::Help_Click);
    connect(m_tagTitles, &QAction::triggered, this, unlessBusy([this] { TagTitles_Click(); }));
    connect(m_updateDisk, &QAction::triggered, this, unlessBusy([this] { UpdateDisk_Click(); }));
    m_editList4->installEventFilter(this);
}

} // namespace listmaker
