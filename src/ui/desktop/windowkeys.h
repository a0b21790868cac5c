// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace platform {

// Escape and Ctrl+W close the window, as Escape closes a message box or a dialog.
void closeWithKeys(QWidget *window);

} // namespace platform
