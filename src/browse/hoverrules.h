// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace browse {

// Which captions of the navigation window turn bold under the pointer.
namespace hoverrules {

// The buttons that react to the pointer.
const QStringList &buttons();
// The controls set bold while the pointer is over that button (none for
// any other control).
QStringList emphasised(const QString &control);
// The controls set back to normal weight over the window background.
const QStringList &resetOnBackground();

} // namespace hoverrules

} // namespace browse
