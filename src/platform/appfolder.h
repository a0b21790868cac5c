#pragma once

#include "platform/failure.h"

#include <QProcessEnvironment>
#include <QString>

namespace platform {

// Where the program keeps what it writes. A portable copy keeps everything in
// the folder it lies in. An installed copy finds its shipped files in
// ../share/quenmora beside its own folder; it keeps its files in the user's
// data folder and never writes below the installation.
struct AppFolderPlan
{
    QString folder; // the application folder
    QString shippedFiles; // the installation's read-only files; empty for a portable copy

    bool installed() const { return !shippedFiles.isEmpty(); }
};

// Decides from the program's folder and the environment (XDG_DATA_HOME, HOME).
AppFolderPlan planAppFolder(const QString &programFolder, const QProcessEnvironment &environment);

// For an installed copy: makes the application folder and copies into it the
// shipped files it lacks (the help, and the sounds below Photographs). The help follows the installed version; a sound
// already there is the user's and stays. A portable copy needs nothing.
Failure prepareAppFolder(const AppFolderPlan &plan);

} // namespace platform
