#pragma once

#include "platform/appcontext.h"
#include "shell/navigator.h"

#include <QMainWindow>
#include <QPointer>

namespace shell {

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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    platform::AppContext &m_app;
    SharedState &m_state;
    QPointer<listmaker::MakeSListWindow> m_makeSList;
    QPointer<songdb::AddDataWindow> m_addData;
};

} // namespace shell
