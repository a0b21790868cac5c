// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "platform/mediaplayer.h"
#include "ui/adddatawindow.h"
#include "ui/desktop/appcontext.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"

#include <memory>

namespace bench {

// Gives a benchmark's windows their application folder and desktop
// services; quitting does nothing.
inline void furnish(platform::AppContext &app, const QString &folder, platform::Dialogs &dialogs,
    platform::Clock &clock, platform::HelpViewer &help, platform::Drives &drives,
    platform::MediaPlayerFactory makePlayer)
{
    app.appFolder = folder;
    app.dialogs = &dialogs;
    app.clock = &clock;
    app.help = &help;
    app.drives = &drives;
    app.makePlayer = std::move(makePlayer);
    app.quit = [](int) {};
}

// Every box is closed as the user would to go on: No to the artist question, OK otherwise.
class QuietDialogs final : public platform::Dialogs
{
public:
    platform::Button message(const platform::Message &m) override
    {
        last = m.text;
        return m.buttons == platform::Buttons::YesNoCancel ? platform::Button::No : m.escapeButton();
    }
    std::optional<QString> openFileName(const platform::FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileRequest &) override { return std::nullopt; }
    QString last;
};

class OneDrive final : public platform::Drives
{
public:
    QVector<platform::Drive> list() const override { return {{QStringLiteral("/"), QString(), QStringLiteral("/")}}; }
    QString volumeLabel(const QString &) const override { return {}; }
    bool isReady(const QString &) const override { return true; }
};

// A player that plays nothing; it takes every file, or none.
class SilentPlayer final : public platform::MediaPlayer
{
public:
    explicit SilentPlayer(bool opens = true)
        : m_opens(opens)
    {
    }
    static platform::MediaPlayerFactory factory(bool opens = true)
    {
        return [opens](QWidget *) { return std::unique_ptr<platform::MediaPlayer>(new SilentPlayer(opens)); };
    }
    bool setFileName(const QString &path) override
    {
        m_file = path;
        return m_opens;
    }
    bool open(const QString &path) override { return setFileName(path); }
    QString fileName() const override { return m_file; }
    void play() override {}
    void stop() override {}
    double duration() const override { return 0; }
    bool isPlaying() const override { return false; }
    platform::Failure lastFailure() const override { return {}; }

private:
    bool m_opens;
    QString m_file;
};

// The Create File List window on a temporary data source, the drive "/" alone,
// the navigation window made only when the list is handed over.
class ListWindowRig final : public shell::Navigator
{
public:
    explicit ListWindowRig(platform::MediaPlayerFactory makePlayer)
    {
        furnish(app, source.folder(), dialogs, clock, help, drives, std::move(makePlayer));
        window = std::make_unique<listmaker::MakeSListWindow>(app, state, *this);
    }

    void showMain() override {}
    void showProgramInfo(int) override {}
    listmaker::MakeSListWindow &createListWindow() override { return *window; }
    songdb::AddDataWindow &navigationWindow() override
    {
        if (!m_addData)
            m_addData = std::make_unique<songdb::AddDataWindow>(app, state, *this);
        return *m_addData;
    }

    TempDataSource source;
    QuietDialogs dialogs;
    platform::SystemClock clock;
    NoHelp help;
    OneDrive drives;
    platform::AppContext app;
    shell::SharedState state;
    std::unique_ptr<listmaker::MakeSListWindow> window;

private:
    std::unique_ptr<songdb::AddDataWindow> m_addData;
};

} // namespace bench
