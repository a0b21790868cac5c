// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// What the program's command line asks for. It is read before any window
// exists, so that --help and --version need no display.
struct CommandLine
{
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    QString appFolder; // --app-folder: the application folder to use instead of the usual one
    QString error; // Refuse: what is wrong, one line
    // Qt's own options (-platform NAME, -style NAME, -reverse, ...) with their
    // values, in their order, for the application object.
    QStringList qtArguments;
};

// Reads the arguments that follow the program's name. An unknown option,
// an argument that is no option, a missing or repeated folder refuse the
// whole line; otherwise --help wins over --version, and both over running.
CommandLine parseCommandLine(const QStringList &arguments);

// How the program answers a command line that does not start it: the text
// for standard output and standard error, and the exit status.
struct CommandLineAnswer
{
    QString out;
    QString err;
    int exitCode = 0;
};
CommandLineAnswer answerCommandLine(const CommandLine &line);

// The help: its first line is the usage.
QString commandLineHelp();

} // namespace platform
