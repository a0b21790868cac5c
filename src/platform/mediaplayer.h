// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QString>

#include <functional>

namespace platform {

// An embedded media player as the windows use it: naming a file opens it
// and starts playback; the empty name closes the file and silences the player.
class MediaPlayer
{
public:
    virtual ~MediaPlayer() = default;
    // False when the file cannot be opened or its format cannot be played;
    // lastFailure() then says why.
    virtual bool setFileName(const QString &path) = 0;
    // Opens the file without starting it; play() starts it.
    virtual bool open(const QString &path) = 0;
    virtual QString fileName() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    // Length of the open file in seconds, known as soon as it is opened; 0 when unknown.
    virtual double duration() const = 0;
    virtual bool isPlaying() const = 0;
    virtual Failure lastFailure() const = 0;
    // Called when playback that had begun stops on a failure (the file can
    // no longer be read); lastFailure() then says why.
    virtual void setFailureHandler(std::function<void()> handler) { Q_UNUSED(handler) }
};

} // namespace platform
