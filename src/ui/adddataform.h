// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVector>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenuBar;
class QPushButton;
class QTimer;
class QWidget;

namespace browse {
class LineListModel;
}

namespace songdb {

// The controls of the navigation window, each under its control name
// (List1, Text4, ShowAll, ...) as its objectName. Every
// control is a direct child of the window or of Frame1, so that a bare spot
// of the window is the window itself.
struct AddDataForm
{
    void setup(QWidget *window);

    QMenuBar *menu = nullptr;

    // Record boxes.
    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtID = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLineEdit *Text6 = nullptr;
    QLineEdit *Text7 = nullptr;
    QLineEdit *Text8 = nullptr;
    QLineEdit *Text9 = nullptr;
    QLineEdit *Text10 = nullptr;
    QLineEdit *Text11 = nullptr;
    QLineEdit *Text12 = nullptr;
    QLabel *RecordNo = nullptr;
    QVector<QLabel *> frameLabels; // the captions inside Frame1

    // Count, record number and password.
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label16 = nullptr;
    QLineEdit *Text13 = nullptr;
    QLabel *Label21 = nullptr;
    QLineEdit *Text14 = nullptr;
    QPushButton *OK = nullptr;

    // Commands.
    QPushButton *AppendFileList = nullptr;
    QLabel *Label14 = nullptr;
    QTimer *Timer1 = nullptr;
    QPushButton *EditRecord = nullptr;
    QPushButton *DeleteDisk = nullptr;
    QPushButton *DeleteAll = nullptr;

    // Photograph.
    QLabel *Image8 = nullptr;
    QLabel *Label23 = nullptr;

    // Results area and search.
    QPushButton *ShowAll = nullptr;
    // The two record lists show lines held in models of their own, since
    // they may hold a line for each of millions of records.
    QListView *DataList1 = nullptr;
    QListView *List1 = nullptr;
    browse::LineListModel *DataList1Lines = nullptr;
    browse::LineListModel *List1Lines = nullptr;
    QLabel *Label15 = nullptr;
    QPushButton *Find = nullptr;
    QComboBox *Combo1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLabel *Label13 = nullptr;
    QCheckBox *FindAsYouType = nullptr; // "As You T&ype": each pause in typing in Text2 finds
    QTimer *TypingPause = nullptr;      // the pause that runs it
    QPushButton *SearchDisks = nullptr;
    QPushButton *Occasion = nullptr;
    QPushButton *Status = nullptr;

    // Menu.
    QAction *Back = nullptr;
    QAction *PrintList = nullptr;
    QAction *SaveList = nullptr;
    QAction *Duplicates = nullptr; // "Titles on &Several Disks" in the menu "Dupli&cates"
    QAction *Help = nullptr;
    QAction *About = nullptr;

    // Logo and decoration.
    QLabel *Label6 = nullptr;
    QLabel *Image3 = nullptr;
    QLabel *Image4 = nullptr;
    QLabel *Image7 = nullptr;
    QWidget *MediaPlayer1 = nullptr;
    QWidget *MediaPlayer2 = nullptr;
    QVector<QLabel *> Image1; // product pictures, index = product entry
    QVector<QLabel *> Label17; // their captions
};

} // namespace songdb
