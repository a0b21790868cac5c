// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace platform {

// Playing time in seconds of an audio file, read from the file itself so it
// is known before any player has opened it: the formats TagLib knows (MP3,
// WAV, AIFF, Ogg, Opus, FLAC, M4A, WMA, APE, WavPack and more) and standard
// MIDI files. Nothing when the file's length cannot be read.
std::optional<double> audioDurationSeconds(const QString &path);

// Whether the file is a standard MIDI file (by its first bytes).
bool isMidiFile(const QString &path);

} // namespace platform
