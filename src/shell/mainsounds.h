// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"
#include "platform/mediaplayer.h"

#include <QString>

namespace shell {

// The background music of the main window: one player, a built-in song, a
// title sound and a song of the user's choosing.
class MainSounds
{
public:
    // audioFolder holds pukarta.mid and title.wav and is where the open dialog starts.
    MainSounds(platform::MediaPlayer &player, platform::Dialogs &dialogs, QString audioFolder);

    // Index 0 closes the music, index 1 plays the built-in song; failures stay silent.
    void Option1_Click(int index);
    // Lets the user pick a sound file and plays it.
    void Option2_Click();
    void Image4_Click();
    void Image11_Click();

    static QString filter() { return QStringLiteral("Supported audio files (*.wav,*.mid,*.mp3)|*.wav;*.mid;*.mp3"); }

private:
    platform::MediaPlayer &m_player;
    platform::Dialogs &m_dialogs;
    QString m_audioFolder;
};

} // namespace shell
