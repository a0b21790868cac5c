#pragma once

#include "platform/mediaplayer.h"

#include <memory>

class QWidget;

namespace platform {

// The real player: Qt Multimedia, with the length of the file read at once.
std::unique_ptr<MediaPlayer> makeQtMediaPlayer(QWidget *surface);

} // namespace platform
