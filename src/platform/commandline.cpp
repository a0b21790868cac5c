// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/commandline.h"

#include "platform/version.h"

namespace platform {

namespace {

const QString AppFolderOption = QStringLiteral("--app-folder");

// Qt reads these from the command line itself (with one dash or two); they
// are handed on untouched.
const QStringList QtOptionsWithValue = {QStringLiteral("platform"), QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"), QStringLiteral("qwindowtitle"), QStringLiteral("session"), QStringLiteral("display"),
    QStringLiteral("geometry"), QStringLiteral("style"), QStringLiteral("stylesheet")};
const QStringList QtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"), QStringLiteral("sync"), QStringLiteral("testability")};
// Given as -name=value only.
const QStringList QtOptionsJoined
    = {QStringLiteral("style"), QStringLiteral("stylesheet"), QStringLiteral("qmljsdebugger")};

// An option's name without its dashes; empty for what is no option.
QString qtName(const QString &argument)
{
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-") || argument == QLatin1String("--"))
        return {};
    return argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
}

CommandLine refused(const QString &error)
{
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.error = error;
    return line;
}

} // namespace

QString commandLineHelp()
{
    return QStringLiteral("Usage: quenmora [--app-folder FOLDER] [--help] [--version]\n"
                          "Quenmora catalogues the files on storage media, above all songs: it scans a\n"
                          "folder into a file list under a Disk ID and an artist, appends the list to\n"
                          "the song database reached through the ODBC data source Orvandel, and lets\n"
                          "you browse, find, edit and delete the records and play the files.\n"
                          "\n"
                          "Options:\n"
                          "  --app-folder FOLDER  keep the session log, the current list, Results/ and\n"
                          "                       Photographs/ in FOLDER (a portable catalogue, say on a\n"
                          "                       memory stick) instead of the usual folder; FOLDER is\n"
                          "                       made if the folder it lies in exists\n"
                          "  -h, --help           print this help and exit\n"
                          "  --version            print the version and exit\n"
                          "\n"
                          "Qt's own options, such as -platform NAME or -style NAME, are handed to Qt.\n"
                          "The program needs a display; --help and --version do not.\n");
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    bool help = false;
    bool version = false;
    bool folderGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            help = true;
        } else if (argument == QLatin1String("--version")) {
            version = true;
        } else if (argument == AppFolderOption || argument.startsWith(AppFolderOption + QLatin1Char('='))) {
            QString folder;
            if (argument == AppFolderOption) {
                if (i + 1 < arguments.size())
                    folder = arguments.at(++i);
            } else {
                folder = argument.mid(AppFolderOption.size() + 1);
            }
            if (folder.isEmpty())
                return refused(QStringLiteral("--app-folder needs a folder"));
            if (folderGiven)
                return refused(QStringLiteral("--app-folder is given more than once"));
            folderGiven = true;
            line.appFolder = folder;
        } else if (const QString name = qtName(argument); QtOptionsWithValue.contains(name)) {
            if (i + 1 >= arguments.size())
                return refused(argument + QStringLiteral(" needs a value"));
            line.qtArguments << argument << arguments.at(++i);
        } else if (QtFlags.contains(name)
            || (name.contains(QLatin1Char('=')) && QtOptionsJoined.contains(name.section(QLatin1Char('='), 0, 0)))) {
            line.qtArguments << argument;
        } else if (argument.startsWith(QLatin1Char('-'))) {
            return refused(QStringLiteral("unknown option '") + argument + QLatin1Char('\''));
        } else {
            return refused(QStringLiteral("unexpected argument '") + argument + QLatin1Char('\''));
        }
    }
    line.action = help ? CommandLine::Action::ShowHelp
                       : (version ? CommandLine::Action::ShowVersion : CommandLine::Action::Run);
    return line;
}

CommandLineAnswer answerCommandLine(const CommandLine &line)
{
    switch (line.action) {
    case CommandLine::Action::ShowHelp:
        return {commandLineHelp(), QString(), 0};
    case CommandLine::Action::ShowVersion:
        return {QStringLiteral("Quenmora ") + programVersion() + QLatin1Char('\n'), QString(), 0};
    case CommandLine::Action::Refuse:
        return {QString(),
            QStringLiteral("quenmora: ") + line.error + QLatin1Char('\n')
                + commandLineHelp().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n'),
            2};
    case CommandLine::Action::Run:
        break;
    }
    return {};
}

} // namespace platform
