#pragma once

#include "bench.h"

#include "listmaker/makeslistwindow.h"
#include "platform/appcontext.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "shell/navigator.h"
#include "songdb/adddatawindow.h"

#include <memory>

namespace bench {

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

// The Create File List window on a temporary data source, the drive "/" alone,
// the navigation window made only when the list is handed over.
class ListWindowRig final : public shell::Navigator
{
public:
    explicit ListWindowRig(platform::MediaPlayerFactory makePlayer)
    {
        app.appFolder = source.folder();
        app.dialogs = &dialogs;
        app.clock = &clock;
        app.help = &help;
        app.drives = &drives;
        app.makePlayer = std::move(makePlayer);
        app.quit = [](int) {};
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
