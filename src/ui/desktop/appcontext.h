// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/mediaplayer.h"
#include "ui/desktop/helpviewer.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace platform {

// A player that draws into the given widget (may be null for sound only).
using MediaPlayerFactory = std::function<std::unique_ptr<MediaPlayer>(QWidget *surface)>;

// The services handed to every window. main.cpp builds the real ones; tests build fakes.
struct AppContext
{
    QString appFolder;
    Dialogs *dialogs = nullptr;
    Clock *clock = nullptr;
    HelpViewer *help = nullptr;
    Drives *drives = nullptr;
    MediaPlayerFactory makePlayer;
    // Ends the process at once with the given code.
    std::function<void(int)> quit;

    // A file or folder of the application folder.
    QString file(const QString &name) const { return appFolder + QLatin1Char('/') + name; }

    // A message box with the application title.
    Button say(const QString &text, Icon icon = Icon::None, Buttons buttons = Buttons::Ok) const;

    // Shows the contents of the help file for the owner window; a failure is
    // told in a box titled with the owner's caption.
    void showHelp(QWidget *owner) const;
};

} // namespace platform
