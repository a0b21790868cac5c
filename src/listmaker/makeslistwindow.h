#pragma once

#include "platform/appcontext.h"

#include <QMainWindow>
#include <memory>

namespace shell {
struct SharedState;
class Navigator;
} // namespace shell

namespace listmaker {

// The Create File List window.
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

private:
    platform::AppContext &m_app;
    shell::SharedState &m_state;
    shell::Navigator &m_navigator;
    std::unique_ptr<platform::MediaPlayer> m_player1;
    std::unique_ptr<platform::MediaPlayer> m_player2;
};

} // namespace listmaker
