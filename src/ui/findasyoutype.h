// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace platform {
struct AppContext;
struct Failure;
} // namespace platform

namespace shell {
struct SharedState;
}

namespace songdb {
struct AddDataForm;
class TitleLines;
class TypeAheadSearch;
} // namespace songdb

namespace browse {

// Finding as you type in the navigation window: while the check box
// FindAsYouType is ticked, each pause in typing in Text2 searches the
// column of Combo1 for the text as it stands, beside the window (see
// songdb::TypeAheadSearch). What it finds goes to the handlers given; it
// never asks anything. The box's state is kept in the application folder's
// settings from one session to the next.
class FindAsYouType : public QObject
{
    Q_OBJECT

public:
    struct Handlers
    {
        // A search begins: lines shown by an earlier one are its no longer.
        std::function<void()> started;
        // Lines to add while the search reads on, and how many it has found so far.
        std::function<void(const songdb::TitleLines &more, int found)> linesSoFar;
        // All it found (the handler may take the lines), or why it failed.
        std::function<void(songdb::TitleLines &lines, const platform::Failure &failure)> finished;
    };

    // The parent (the window) only lists it among its children.
    FindAsYouType(songdb::AddDataForm &form, platform::AppContext &app, shell::SharedState &state, Handlers handlers,
        QObject *parent = nullptr);
    ~FindAsYouType() override;

    // Forgets the text typed and stops the search under way: a command
    // takes over the lists.
    void cancel();

    static inline const QString SettingName = QStringLiteral("FindAsYouType");

signals:
    // For those who watch the window: a search has been sent off, and what it
    // found has been shown.
    void searchStarted();
    void resultShown();

private:
    void typed();
    void paused();
    void toggled(bool on);

    songdb::AddDataForm &m_ui;
    platform::AppContext &m_app;
    shell::SharedState &m_state;
    Handlers m_handlers;
    std::unique_ptr<songdb::TypeAheadSearch> m_search;
    int m_readId = 0;
};

} // namespace browse
