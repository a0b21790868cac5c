// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace songdb {

// The window's hourglass for the length of a command; restore() ends it
// early, before a closing message. Only the window shows it, so a message
// box asked meanwhile keeps the ordinary pointer. Hourglasses nest: each
// one puts back the pointer it found, so a command that runs another
// command keeps its hourglass after the inner one has ended.
class WaitCursor
{
public:
    explicit WaitCursor(QWidget *window)
        : m_window(window)
        , m_hadCursor(window->testAttribute(Qt::WA_SetCursor))
        , m_previous(window->cursor())
    {
        m_window->setCursor(Qt::WaitCursor);
    }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    void restore()
    {
        if (!m_active)
            return;
        m_active = false;
        if (m_hadCursor)
            m_window->setCursor(m_previous);
        else
            m_window->unsetCursor();
    }

private:
    QWidget *m_window;
    bool m_hadCursor;
    QCursor m_previous;
    bool m_active = true;
};

} // namespace songdb
