// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace shell {

// Milliseconds as the main window shows its load time: rounded to a whole
// number, no leading zeros, and nothing at all for 0.
QString loadTimeText(double milliseconds);

} // namespace shell
