// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QWidget>

// The window of that name among the program's top-level windows, or none.
inline QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name)
            return w;
    }
    return nullptr;
}

// A session file of three ended sessions of 10, 20 and 30 seconds.
inline const QByteArray ThreeSessions = " 1            7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          10 \r\n"
                                        " 2            8 Dec 2026 10:00:00         8 Dec 2026 10:00:20          20 \r\n"
                                        " 3            9 Dec 2026 11:00:00         9 Dec 2026 11:00:30          30 \r\n";
