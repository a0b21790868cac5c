#pragma once

#include <QString>

namespace listmaker {

// "Audio duration: m:ss": whole minutes, then the seconds left over rounded
// to the nearest whole (so 59.6 seconds left over show as 60).
QString audioDurationText(double seconds);

} // namespace listmaker
