#pragma once

#include <functional>

namespace platform {

// Runs work on a thread of its own and returns when it is done. Meanwhile
// the windows keep painting and timers keep running, but the application
// takes no input: clicks, keys, shortcuts and close requests are dropped,
// as the hourglass the caller shows promises. The work must leave widgets
// alone, and nothing on the window thread may use what the work uses.
void runBusy(const std::function<void()> &work);

} // namespace platform
