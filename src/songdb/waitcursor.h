#pragma once

#include <QWidget>

namespace songdb {

// The window's hourglass for the length of a command; restore() ends it
// early, before a closing message. Only the window shows it, so a message
// box asked meanwhile keeps the ordinary pointer.
class WaitCursor
{
public:
    explicit WaitCursor(QWidget *window)
        : m_window(window)
    {
        m_window->setCursor(Qt::WaitCursor);
    }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    void restore()
    {
        if (m_active)
            m_window->unsetCursor();
        m_active = false;
    }

private:
    QWidget *m_window;
    bool m_active = true;
};

} // namespace songdb
