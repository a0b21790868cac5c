// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "songdb/songrecord.h"
#include "ui/adddataform.h"
#include "ui/desktop/appcontext.h"

#include <QColor>
#include <QWidget>
#include <memory>

class QLineEdit;

namespace shell {
struct SharedState;
class Navigator;
} // namespace shell

namespace browse {
class HoverEmphasis;
class ResultsBrowser;
} // namespace browse

namespace songdb {

// The navigation window: appends the current list, shows, edits and deletes
// records and keeps the count; the result lists live in browse::ResultsBrowser.
class AddDataWindow : public QWidget
{
    Q_OBJECT

public:
    AddDataWindow(platform::AppContext &app, shell::SharedState &state, shell::Navigator &navigator,
                  QWidget *parent = nullptr);
    ~AddDataWindow() override;

    // Browse mode: append prompt hidden, "&Append Created List" disabled; then shown.
    void showInBrowseMode();
    // Append mode: "&Append Created List" enabled; then shown.
    void showInAppendMode();
    // The blinking prompt's timer interval (0 stops it).
    void setPromptInterval(int milliseconds);
    // Plays the user's logo animation in the logo players of both working windows.
    void LoadUserLogo();

    // Record display, also used by the result lists. DisplayRecord tells
    // whether the key named a record (the boxes keep their text when not).
    bool DisplayRecord(const QString &key);
    void DisplayFirstRecord();
    void DisplayRecordAt(qint32 position);
    void ClearAllField();
    // Fills the record boxes from a row and applies the display defaults.
    void showRecord(const SongRecord &record);
    // Loads the photograph of the disk in Text4 into Image8. FileNotFound when
    // there is none (the picture is then emptied); InvalidPicture when the
    // file is no picture.
    platform::Failure loadPhoto();

    // The list procedures the deleting commands rely on.
    void Searcher_AllTitle();
    void ReloadAllList();
    void DisplayFindResult();

    qint32 totalRecords() const { return m_totalRecords; }
    // Reads the record count afresh, after another window changed the table.
    void CountRecords();

    // Messages of this window.
    platform::Button say(const QString &text, platform::Icon icon, platform::Buttons buttons = platform::Buttons::Ok);
    void reportFailure(const platform::Failure &failure);

    const AddDataForm &form() const { return m_ui; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void setTotalRecords(qint32 count);
    void LoadCurrentListFile();
    void PlayLogo();
    void Timer1_Timer();
    void Back_Click();
    void Help_Click();

    void AppendFileList_Click();
    void Text13_Change();

    void EditRecord_Click();
    void UpdateRecord();
    void LockEditFields();
    void setEditable(QLineEdit *box, bool editable);

    void DeleteDisk_Click();
    void DeleteAll_Click();
    void OK_Click();
    void showRecordNumberGroup();

    void changePhoto(bool adding);

    platform::AppContext &m_app;
    shell::SharedState &m_state;
    shell::Navigator &m_navigator;
    AddDataForm m_ui;
    std::unique_ptr<browse::ResultsBrowser> m_browser;
    std::unique_ptr<browse::HoverEmphasis> m_hover;
    std::unique_ptr<platform::MediaPlayer> m_player1;
    std::unique_ptr<platform::MediaPlayer> m_player2;
    qint32 m_totalRecords = 0;
    // The colour the blinking prompt was last given (it may show a shade of it).
    QColor m_promptColour;
};

} // namespace songdb
