// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mediaplayer.h"

#include <memory>

class QWidget;

namespace platform {

// The real player: Qt Multimedia for sound and video, a fluidsynth process
// for MIDI; the length of a file is read from the file itself at once. A
// missing backend, audio device or synthesizer gives silence or a failure,
// never a crash. surface, when given, shows the pictures of a video.
std::unique_ptr<MediaPlayer> makeQtMediaPlayer(QWidget *surface);

// Whether MIDI files can be played on this machine (fluidsynth and a
// General MIDI soundfont are installed).
bool canPlayMidi();

} // namespace platform
