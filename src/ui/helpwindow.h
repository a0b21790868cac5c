// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/desktop/helpviewer.h"

#include <QPointer>

class QTextBrowser;
class QWidget;

namespace shell {

// Shows the program's help file in a window of its own, one window for the
// whole program. The window belongs to the window that asked last, so it
// goes when that window goes.
class HelpWindowViewer final : public platform::HelpViewer
{
public:
    HelpWindowViewer() = default;
    ~HelpWindowViewer() override;
    HelpWindowViewer(const HelpWindowViewer &) = delete;
    HelpWindowViewer &operator=(const HelpWindowViewer &) = delete;

    std::optional<QString> showContents(const QString &helpFile, QWidget *owner) override;

    // The help window, while it exists.
    QWidget *window() const { return m_window; }

private:
    QPointer<QWidget> m_window;
    QPointer<QTextBrowser> m_browser;
};

} // namespace shell
