// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

namespace platform {

// Playing time in seconds of a standard MIDI file (also inside a RIFF
// "RMID" wrapper), from its tempo map and the last event of its tracks.
// Nothing when the bytes are not a MIDI file.
std::optional<double> midiDurationSeconds(const QByteArray &bytes);

// Whether the bytes begin like a MIDI file.
bool looksLikeMidi(const QByteArray &head);

} // namespace platform
