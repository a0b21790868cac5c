// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listmaker/listreport.h"
#include "ui/desktop/appcontext.h"

#include <QHash>
#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace shell {
struct SharedState;
class Navigator;
} // namespace shell

namespace listmaker {

struct CurrentList;
class DriveListBox;
class FileListBox;
class FolderListBox;

// The Create File List window: browses a medium, scans it into the current
// list, shows the list four ways, edits titles, saves reports, plays files
// and hands the list over to the navigation window.
class MakeSListWindow : public QMainWindow
{
    Q_OBJECT

public:
    MakeSListWindow(platform::AppContext &app, shell::SharedState &state, shell::Navigator &navigator,
                    QWidget *parent = nullptr);
    ~MakeSListWindow() override;

    // After the navigation window appended the list: empty Disk ID, artist,
    // sequential list and heading, and allow a new list.
    void resetAfterAppend();

    // The decorative players that the logo command drives.
    platform::MediaPlayer &mediaPlayer1();
    platform::MediaPlayer &mediaPlayer2();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectControls();
    void Form_Load();

    // Browsing and Disk IDs.
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void ShowVolumeLabel();
    void ExistingDisk_Click();
    // Media mounted or unmounted while the window is open.
    void MediaChanged();
    void playbackFailed();

    // List creation.
    void AddList_Click();
    void CheckDiskID();
    // False when the medium went away under the walk (the user was told).
    bool ScanFolders(CurrentList *scanned);
    void Display_Current();

    // Bringing a catalogued disk up to date.
    void UpdateDisk_Click();

    // List views.
    void SortList_Click();
    void showListMode();
    void List1_Click();
    void List2_Click();
    void List3_Click();
    void showRecordEntry(QListWidget *list);
    void showPosition(QListWidget *list);
    void selectFirst(QListWidget *list);
    void selectFirstOfViews();

    // List-x.
    void FillListX();
    void Concatanate_Click();

    // Title editing.
    void EditList4_Click();
    void enterEditingMode();
    void TagTitles_Click();
    void WriteEditedList();
    void List4_Click();
    void Text4_Change();

    // Playback.
    void File1_DblClick();
    void List1_DblClick();
    void List2_DblClick();
    void List3_DblClick();
    void List4_DblClick();
    void playListEntry(int position);
    void stopPlayer();

    // Window commands and reports.
    void ClearList_Click();
    void AddToAccess_Click();
    void Back_Click();
    void Help_Click();
    void About_Click();
    void saveReport(ReportKind kind, QListWidget *source);

    void fillSorted(const QStringList &entries, bool recordIndexes);
    static QStringList entries(const QListWidget *list);
    void showElapsed(double startMs);
    QString currentListFile() const;
    platform::Button say(const QString &text, platform::Icon icon,
                         platform::Buttons buttons = platform::Buttons::Ok);

    platform::AppContext &m_app;
    shell::SharedState &m_state;
    shell::Navigator &m_navigator;

    DriveListBox *m_drive1 = nullptr;
    FolderListBox *m_dir1 = nullptr;
    FileListBox *m_file1 = nullptr;
    QLabel *m_label14 = nullptr;
    QLabel *m_label15 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLabel *m_label3 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QPushButton *m_addList = nullptr;
    QPushButton *m_existingDisk = nullptr;
    QPushButton *m_addToAccess = nullptr;
    QPushButton *m_sortList = nullptr;
    QLabel *m_label9 = nullptr;
    QListWidget *m_list1 = nullptr;
    QListWidget *m_list2 = nullptr;
    QListWidget *m_list3 = nullptr;
    QListWidget *m_list4 = nullptr;
    QLabel *m_label16 = nullptr;
    QPushButton *m_editList4 = nullptr;
    QLineEdit *m_text4 = nullptr;
    QLabel *m_label17 = nullptr;
    QPushButton *m_concatanate = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLabel *m_label10 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_label6 = nullptr;
    QLabel *m_label7 = nullptr;
    QLabel *m_label8 = nullptr;
    QLabel *m_label11 = nullptr;
    QWidget *m_mediaPlayer1 = nullptr;
    QWidget *m_mediaPlayer2 = nullptr;
    QWidget *m_mediaPlayer3 = nullptr;
    QAction *m_back = nullptr;
    QAction *m_clearList = nullptr;
    QAction *m_saveSequential = nullptr;
    QAction *m_saveSorted = nullptr;
    QAction *m_saveX = nullptr;
    QAction *m_saveEdited = nullptr;
    QAction *m_tagTitles = nullptr;
    QAction *m_updateDisk = nullptr;
    QAction *m_about = nullptr;
    QAction *m_help = nullptr;

    std::unique_ptr<platform::MediaPlayer> m_player1;
    std::unique_ptr<platform::MediaPlayer> m_player2;
    std::unique_ptr<platform::MediaPlayer> m_player3;

    int FoldersScanned = 0;
    QString ScanStartFolder;
    bool ExistingDisksShown = false;
    int ListMode = 0;
    int DiskIDMatches = 0;
    // True while a list is being made or titles are read from tags: the
    // command lets the window repaint, and closing the window then would
    // discard it under the running command.
    bool m_making = false;
    // How often a running scan or tag reading lets the window repaint.
    static constexpr qint64 ProgressEveryMs = 50;
    // The folder last shown on each drive, so that choosing a drive again returns there.
    QHash<QString, QString> m_driveFolders;
    // A change of media while a list is made is seen to once, after it (single shot).
    QTimer *m_mediaRetry = nullptr;
    // Tells MediaChanged of mounts and unmounts while it lives.
    std::unique_ptr<QObject> m_mediaWatch;
};

} // namespace listmaker
