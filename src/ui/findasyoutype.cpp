// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/findasyoutype.h"

#include "platform/settingsfile.h"
#include "shell/sharedstate.h"
#include "songdb/typeaheadsearch.h"
#include "ui/adddataform.h"
#include "ui/desktop/appcontext.h"
#include "ui/desktop/busywork.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace browse {

FindAsYouType::FindAsYouType(
    songdb::AddDataForm &form, platform::AppContext &app, shell::SharedState &state, Handlers handlers, QObject *parent)
    : QObject(parent)
    , m_ui(form)
    , m_app(app)
    , m_state(state)
    , m_handlers(std::move(handlers))
{
    m_ui.FindAsYouType->setChecked(platform::SettingsFile(m_app.appFolder).flag(SettingName));
    connect(m_ui.FindAsYouType, &QCheckBox::toggled, this, &FindAsYouType::toggled);
    // Only what the user types: a label click puts its label into the box
    // without searching.
    connect(m_ui.Text2, &QLineEdit::textEdited, this, &FindAsYouType::typed);
    connect(m_ui.TypingPause, &QTimer::timeout, this, &FindAsYouType::paused);
}

FindAsYouType::~FindAsYouType()
{
    // No write may reach for the search once it is going.
    if (m_readId)
        m_state.database.removeBackgroundRead(m_readId);
    m_search.reset();
}

void FindAsYouType::cancel()
{
    m_ui.TypingPause->stop();
    if (m_search)
        m_search->cancel();
}

void FindAsYouType::typed()
{
    if (!m_ui.FindAsYouType->isChecked())
        return;
    // What is being read is for a text that is no longer there.
    if (m_search)
        m_search->cancel();
    m_ui.TypingPause->start();
}

void FindAsYouType::paused()
{
    if (!m_ui.FindAsYouType->isChecked())
        return;
    // Work of another window runs meanwhile: the text is searched once it is done.
    if (platform::busy()) {
        m_ui.TypingPause->start();
        return;
    }
    const QString text = m_ui.Text2->text();
    if (text.isEmpty())
        return;
    if (!m_search) {
        m_search = std::make_unique<songdb::TypeAheadSearch>(m_state.database.connectString());
        connect(m_search.get(), &songdb::TypeAheadSearch::linesSoFar, this,
            [this](const songdb::TitleLines &more, int found) {
                if (!platform::busy())
                    m_handlers.linesSoFar(more, found);
            });
        connect(m_search.get(), &songdb::TypeAheadSearch::finished, this,
            [this](songdb::TitleLines &lines, const platform::Failure &failure) {
                // Lines shown so far stay until the search, run again once the work is done, replaces them.
                if (platform::busy()) {
                    m_ui.TypingPause->start();
                    return;
                }
                m_handlers.finished(lines, failure);
                emit resultShown();
            });
        songdb::TypeAheadSearch *search = m_search.get();
        m_readId = m_state.database.addBackgroundRead([search] { search->stopForWrite(); });
    }
    m_handlers.started();
    m_search->search(m_ui.Combo1->currentText(), text);
    emit searchStarted();
}

void FindAsYouType::toggled(bool on)
{
    // A setting that cannot be kept is only forgotten at the end of the session.
    platform::SettingsFile(m_app.appFolder).setFlag(SettingName, on);
    if (!on)
        cancel();
}

} // namespace browse
