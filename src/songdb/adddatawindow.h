#pragma once

#include "platform/appcontext.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;

namespace shell {
struct SharedState;
class Navigator;
} // namespace shell

namespace songdb {

// The navigation window: browses, searches, edits and appends records.
class AddDataWindow : public QMainWindow
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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    platform::AppContext &m_app;
    shell::SharedState &m_state;
    shell::Navigator &m_navigator;
    QPushButton *m_appendFileList = nullptr;
    QLabel *m_label14 = nullptr;
    QTimer *m_timer1 = nullptr;
};

} // namespace songdb
