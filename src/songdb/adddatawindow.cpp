#include "songdb/adddatawindow.h"

#include "shell/navigator.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace songdb {

AddDataWindow::AddDataWindow(platform::AppContext &app, shell::SharedState &state, shell::Navigator &navigator,
                             QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_state(state)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("AddData"));
    setWindowTitle(QStringLiteral("Navigating through  Database - DizaRore"));
    auto *central = new QWidget(this);
    setCentralWidget(central);
    m_appendFileList = new QPushButton(QStringLiteral("&Append Created List"), central);
    m_appendFileList->setObjectName(QStringLiteral("AppendFileList"));
    m_label14 = new QLabel(
        QStringLiteral("Press 'Append' button to add the current list in your 'DizaRore' database file"), central);
    m_label14->setObjectName(QStringLiteral("Label14"));
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(500);
}

AddDataWindow::~AddDataWindow() = default;

void AddDataWindow::showInBrowseMode()
{
    m_label14->hide();
    m_appendFileList->setEnabled(false);
    show();
}

void AddDataWindow::showInAppendMode()
{
    m_appendFileList->setEnabled(true);
    show();
}

void AddDataWindow::setPromptInterval(int milliseconds)
{
    m_timer1->setInterval(milliseconds);
    if (milliseconds > 0)
        m_timer1->start();
    else
        m_timer1->stop();
}

void AddDataWindow::LoadUserLogo()
{
}

void AddDataWindow::closeEvent(QCloseEvent *event)
{
    m_navigator.showMain();
    event->accept();
}

} // namespace songdb
