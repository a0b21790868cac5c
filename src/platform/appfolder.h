// SPDX-License-Identifier: GPL-3.0-or-later
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
    // Neither HOME nor the system's account names a home folder: the data
    // folder lies in a folder of the user's in the system's temporary folder.
    bool inTemporaryFolder = false;
    // Named on the command line: the folder is used as it is (its modes stay:
    // a memory stick may keep none) and gets the shipped files it lacks.
    bool chosen = false;

    bool installed() const { return !chosen && !shippedFiles.isEmpty(); }
};

// Decides from the program's folder and the environment (XDG_DATA_HOME, HOME).
AppFolderPlan planAppFolder(const QString &programFolder, const QProcessEnvironment &environment);

// The folder the user named (--app-folder), a relative one from the current
// folder. Its shipped files come from the installation, or for a portable
// copy from the program's own folder.
AppFolderPlan chooseAppFolder(const QString &folder, const QString &programFolder);

// For an installed copy: makes the application folder private to the user
// (0700, and so a data home that did not exist), and makes an existing one
// private again. In the temporary folder anyone may have made the folder
// first: one that is not the user's own real folder is refused, and the
// failure says so; the program must then not use it. A portable copy's
// folder is left as it is. A chosen folder is made when missing (not the
// folders above it); one that is no folder or cannot be written is refused.
Failure claimAppFolder(const AppFolderPlan &plan);

// For an installed copy: copies into the claimed application folder the
// shipped files it lacks (the help, and the sounds below Photographs). The
// help follows the installed version; a sound already there is the user's
// and stays. So for a chosen folder; a portable copy needs nothing. A file
// that cannot be copied does not keep the others from being copied.
Failure copyShippedFiles(const AppFolderPlan &plan);

// claimAppFolder, and when the folder is claimed, copyShippedFiles.
Failure prepareAppFolder(const AppFolderPlan &plan);

} // namespace platform
