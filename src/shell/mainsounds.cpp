// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/mainsounds.h"

namespace shell {

MainSounds::MainSounds(platform::MediaPlayer &player, platform::Dialogs &dialogs, QString audioFolder)
    : m_player(player)
    , m_dialogs(dialogs)
    , m_audioFolder(std::move(audioFolder))
{
}

void MainSounds::Option1_Click(int index)
{
    if (index == 0) {
        m_player.setFileName(QString());
        m_player.play();
    } else if (index == 1) {
        if (m_player.setFileName(m_audioFolder + QStringLiteral("/pukarta.mid")))
            m_player.play();
    }
}

void MainSounds::Option2_Click()
{
    platform::FileRequest request;
    request.initialFolder = m_audioFolder;
    request.filter = filter();
    const std::optional<QString> chosen = m_dialogs.openFileName(request);
    if (!chosen)
        return; // cancelled: whatever plays goes on

    if (m_player.setFileName(*chosen)) {
        m_player.play();
        return;
    }
    const platform::Failure f = m_player.lastFailure();
    platform::Message m;
    m.icon = platform::Icon::Exclamation;
    if (f.number == platform::err::InputPastEnd)
        m.text = QStringLiteral("The data file does not have sufficient data");
    else
        m.text = QStringLiteral("Error while loading file.\r\nError no. ") + QString::number(f.number)
                 + QStringLiteral("\r\n") + f.description;
    m_dialogs.message(m);
}

void MainSounds::Image4_Click()
{
    m_player.stop();
}

void MainSounds::Image11_Click()
{
    if (m_player.setFileName(m_audioFolder + QStringLiteral("/title.wav")))
        return;
    const platform::Failure f = m_player.lastFailure();
    platform::Message m;
    m.text = platform::errorText(f.number, f.description);
    m_dialogs.message(m);
}

} // namespace shell
