// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/windowkeys.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace platform {

void closeWithKeys(QWidget *window)
{
    auto *close = new QAction(window);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    close->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(close, &QAction::triggered, window, &QWidget::close);
    window->addAction(close);
}

} // namespace platform
