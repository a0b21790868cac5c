#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/helpviewer.h"
#include "platform/mediaplayer.h"

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
};

} // namespace platform
