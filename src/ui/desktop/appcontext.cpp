// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/appcontext.h"

#include <QWidget>

namespace platform {

Button AppContext::say(const QString &text, Icon icon, Buttons buttons) const
{
    Message m;
    m.text = text;
    m.icon = icon;
    m.buttons = buttons;
    return dialogs->message(m);
}

void AppContext::showHelp(QWidget *owner) const
{
    if (!help)
        return;
    const std::optional<QString> error = help->showContents(file(QStringLiteral("DizaRore.hlp")), owner);
    if (!error)
        return;
    Message m;
    m.text = *error;
    m.title = owner ? owner->windowTitle() : QStringLiteral("Quenmora");
    dialogs->message(m);
}

} // namespace platform
