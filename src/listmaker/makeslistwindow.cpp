#include "listmaker/makeslistwindow.h"

#include "shell/navigator.h"

#include <QCloseEvent>

namespace listmaker {

MakeSListWindow::MakeSListWindow(platform::AppContext &app, shell::SharedState &state, shell::Navigator &navigator,
                                 QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_state(state)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("MakeSList"));
    setWindowTitle(QStringLiteral("Quenmora - Create File List to Append the Database"));
    m_player1 = m_app.makePlayer(nullptr);
    m_player2 = m_app.makePlayer(nullptr);
}

MakeSListWindow::~MakeSListWindow() = default;

void MakeSListWindow::resetAfterAppend()
{
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
    m_navigator.showMain();
    event->accept();
}

} // namespace listmaker
