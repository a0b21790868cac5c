// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace platform {

// Shows a window inside the free area of the screen of `anchor` (the window
// it is opened from). The first time it is shrunk to fit that screen, with
// its minimum size too, and centred on the anchor; shown again, it keeps the
// place and size the user left it at, as long as its title bar is on the screen.
void showFitted(QWidget *window, const QWidget *anchor);

// The same placing, without showing the window.
void placeFitted(QWidget *window, const QWidget *anchor);

} // namespace platform
