// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace listmaker {

// "Audio duration: m:ss": whole minutes, then the seconds left over rounded
// to the nearest whole (so 59.6 seconds left over show as 60).
QString audioDurationText(double seconds);

// "List created in 2.036 ms": the time rounded to whole microseconds, in
// the general form of a number (a fraction only when there is one).
QString listCreatedText(double milliseconds);

} // namespace listmaker
