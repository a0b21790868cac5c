#include "shell/mainwindow.h"

#include "listmaker/makeslistwindow.h"
#include "songdb/adddatawindow.h"

#include <QCloseEvent>

namespace shell {

MainWindow::MainWindow(platform::AppContext &app, SharedState &state, QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_state(state)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Quenmora (Zimbrel) - Main"));
}

MainWindow::~MainWindow()
{
    delete m_makeSList;
    delete m_addData;
}

void MainWindow::start()
{
    show();
    createListWindow();
    navigationWindow();
}

void MainWindow::showMain()
{
    show();
}

void MainWindow::showProgramInfo(int)
{
}

listmaker::MakeSListWindow &MainWindow::createListWindow()
{
    if (!m_makeSList) {
        m_makeSList = new listmaker::MakeSListWindow(m_app, m_state, *this);
        m_makeSList->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *m_makeSList;
}

songdb::AddDataWindow &MainWindow::navigationWindow()
{
    if (!m_addData) {
        m_addData = new songdb::AddDataWindow(m_app, m_state, *this);
        m_addData->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *m_addData;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_app.quit(0);
}

} // namespace shell
