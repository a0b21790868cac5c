#include "ui/desktop/appcontext.h"
#include "platform/appfolder.h"
#include "ui/desktop/busywork.h"
#include "ui/desktop/qtdialogs.h"
#include "ui/desktop/qtmediaplayer.h"
#include "platform/stopsignals.h"
#include "platform/systemdrives.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>

#include <cstdlib>
#include <sys/stat.h>

int main(int argc, char *argv[])
{
    // What the program writes (the catalogue's journal, the session log, the
    // lists and reports) is the user's alone.
    umask(S_IRWXG | S_IRWXO);
    platform::StopSignals::install();
    // Qt 6.4's GStreamer backend crashes on machines without its plugins;
    // the FFmpeg backend needs none and knows a file's length at once.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenmora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quenmora"));

    platform::QtDialogs dialogs;
    const platform::AppFolderPlan folder
        = platform::planAppFolder(QCoreApplication::applicationDirPath(), QProcessEnvironment::systemEnvironment());
    // In the temporary folder, a folder that may be another user's is never used.
    if (const platform::Failure f = platform::claimAppFolder(folder); f.isSet() && folder.inTemporaryFolder) {
        platform::Message refused;
        refused.text = f.description;
        refused.icon = platform::Icon::Critical;
        // A request to stop closes the message as it ends the program elsewhere.
        platform::StopSignals stop;
        QObject::connect(&stop, &platform::StopSignals::stopRequested, [] { QCoreApplication::exit(EXIT_FAILURE); });
        dialogs.message(refused);
        return EXIT_FAILURE;
    }
    if (const platform::Failure f = platform::prepareAppFolder(folder); f.isSet())
        qWarning("%s", qPrintable(f.description));

    platform::SystemClock clock;
    platform::SystemDrives drives;
    shell::HelpWindowViewer help;

    platform::AppContext app;
    app.appFolder = folder.folder;
    app.dialogs = &dialogs;
    app.clock = &clock;
    app.help = &help;
    app.drives = &drives;
    app.makePlayer = &platform::makeQtMediaPlayer;
    app.quit = [](int code) { QCoreApplication::exit(code); };

    shell::SharedState state;
    shell::MainWindow mainWindow(app, state);
    mainWindow.start();
    // Only now: a request to stop must find the event loop running.
    platform::StopSignals stop;
    QObject::connect(&stop, &platform::StopSignals::stopRequested, &mainWindow,
                     [&mainWindow] { platform::whenIdle([&mainWindow] { mainWindow.ExitApplication(); }); });
    return QApplication::exec();
}
