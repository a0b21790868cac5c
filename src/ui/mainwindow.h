// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/banner.h"
#include "shell/sessionlog.h"
#include "ui/desktop/appcontext.h"
#include "ui/navigator.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <memory>

class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace shell {

class MainSounds;
class PictureLabel;
class ProgramInfoWindow;
class SessionWindow;

// The start-up window and the hub between the windows.
class MainWindow : public QMainWindow, public Navigator
{
    Q_OBJECT

public:
    MainWindow(platform::AppContext &app, SharedState &state, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the window and runs the start-up sequence.
    void start();

    void showMain() override;
    void showProgramInfo(int entry = 0) override;
    listmaker::MakeSListWindow &createListWindow() override;
    songdb::AddDataWindow &navigationWindow() override;
    const QWidget *mainWindow() const override { return this; }

    // Appends the record of the running session and ends the program.
    void ExitApplication();

    qint32 sessionNumber() const { return m_sessionNumber; }
    QDateTime sessionStart() const { return m_sessionStart; }
    // The session file, whose writer can be replaced.
    SessionLog &sessionLog() { return m_sessionLog; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildSoundControls();
    QPushButton *makeButton(const char *name, const QString &caption, const QString &tip, int row);
    PictureLabel *makePicture(const char *name, const QPixmap &picture, const QRect &where, const QString &tip = {});
    PictureLabel *makeText(const char *name, const QString &text, const QRect &where, const QString &tip);

    platform::Failure loadEverything();
    platform::Failure ReadSessionNumber();
    void setStatus(const QString &text);
    void colourButtons(const QColor &colour);

    void DisplayRecords_Click();
    void CreateRecordsToAppend_Click();
    void HelpMain_Click();
    void Image6_MouseDown();
    void Image8_1_Click();
    void Image12_Click();
    void Timer1_Timer();
    void Label2_Click();
    void showHelpContents();
    void placeBanner();
    void restoreHover();

    ProgramInfoWindow &programInfoWindow();

    platform::AppContext &m_app;
    SharedState &m_state;
    QPointer<listmaker::MakeSListWindow> m_makeSList;
    QPointer<songdb::AddDataWindow> m_addData;
    QPointer<ProgramInfoWindow> m_prginfo;
    QPointer<SessionWindow> m_session;

    SessionLog m_sessionLog;
    QDateTime m_sessionStart;
    qint32 m_sessionNumber = 0;
    Banner m_banner;

    QPixmap m_background;
    QPushButton *m_displayRecords = nullptr;
    QPushButton *m_createRecordsToAppend = nullptr;
    QPushButton *m_helpMain = nullptr;
    QPushButton *m_exitz = nullptr;
    PictureLabel *m_image5 = nullptr;
    PictureLabel *m_image6 = nullptr;
    PictureLabel *m_image7 = nullptr;
    PictureLabel *m_image8_1 = nullptr;
    PictureLabel *m_image8_2 = nullptr;
    PictureLabel *m_image12 = nullptr;
    PictureLabel *m_image13 = nullptr;
    PictureLabel *m_image33 = nullptr;
    PictureLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label6 = nullptr;
    QLabel *m_label7 = nullptr;
    PictureLabel *m_label21 = nullptr;
    QTimer *m_timer1 = nullptr;

    QRadioButton *m_option1_0 = nullptr;
    QRadioButton *m_option1_1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    PictureLabel *m_image4 = nullptr;
    PictureLabel *m_image11 = nullptr;
    std::unique_ptr<platform::MediaPlayer> m_mediaPlayer1;
    std::unique_ptr<MainSounds> m_sounds;
};

} // namespace shell
