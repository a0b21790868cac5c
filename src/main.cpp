// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/appfolder.h"
#include "platform/commandline.h"
#include "platform/stopsignals.h"
#include "platform/systemdrives.h"
#include "ui/desktop/appcontext.h"
#include "ui/desktop/busywork.h"
#include "ui/desktop/qtdialogs.h"
#include "ui/desktop/qtmediaplayer.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

int main(int argc, char *argv[])
{
    // Read before the application object exists: --help and --version need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const platform::CommandLine commandLine = platform::parseCommandLine(arguments);
    if (commandLine.action != platform::CommandLine::Action::Run) {
        const platform::CommandLineAnswer answer = platform::answerCommandLine(commandLine);
        std::fputs(answer.out.toLocal8Bit().constData(), stdout);
        std::fputs(answer.err.toLocal8Bit().constData(), stderr);
        return answer.exitCode;
    }
    // Qt sees its own options only.
    std::vector<QByteArray> qtArguments {QByteArray(argv[0])};
    for (const QString &argument : commandLine.qtArguments)
        qtArguments.push_back(QFile::encodeName(argument));
    std::vector<char *> qtArgv;
    for (QByteArray &argument : qtArguments)
        qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = int(qtArguments.size());

    // What the program writes (the catalogue's journal, the session log, the
    // lists and reports) is the user's alone.
    umask(S_IRWXG | S_IRWXO);
    platform::StopSignals::install();
    // Qt 6.4's GStreamer backend crashes on machines without its plugins;
    // the FFmpeg backend needs none and knows a file's length at once.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");

    QApplication application(qtArgc, qtArgv.data());
    QApplication::setApplicationName(QStringLiteral("Quenmora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quenmora"));

    platform::QtDialogs dialogs;
    const platform::AppFolderPlan folder = commandLine.appFolder.isEmpty()
        ? platform::planAppFolder(QCoreApplication::applicationDirPath(), QProcessEnvironment::systemEnvironment())
        : platform::chooseAppFolder(commandLine.appFolder, QCoreApplication::applicationDirPath());
    // In the temporary folder, a folder that may be another user's is never
    // used; nor a chosen one that cannot be.
    const platform::Failure claimed = platform::claimAppFolder(folder);
    if (claimed.isSet() && (folder.inTemporaryFolder || folder.chosen)) {
        platform::Message refused;
        refused.text = claimed.description;
        refused.icon = platform::Icon::Critical;
        std::fprintf(stderr, "quenmora: %s\n", qPrintable(claimed.description));
        // A request to stop closes the message as it ends the program elsewhere.
        platform::StopSignals stop;
        QObject::connect(&stop, &platform::StopSignals::stopRequested, [] { QCoreApplication::exit(EXIT_FAILURE); });
        dialogs.message(refused);
        return EXIT_FAILURE;
    }
    // Elsewhere a folder that could not be claimed is still used, without the shipped files.
    if (const platform::Failure f = claimed.isSet() ? claimed : platform::copyShippedFiles(folder); f.isSet())
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
