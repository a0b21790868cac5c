#pragma once

#include <functional>
#include <memory>

class QObject;

namespace platform {

// Runs work on a thread of its own and returns when it is done. Meanwhile
// the windows keep painting and timers keep running, but the application
// takes no input: clicks, keys, shortcuts and close requests are dropped,
// as the hourglass the caller shows promises. The work must leave widgets
// alone, and nothing on the window thread may use what the work uses.
void runBusy(const std::function<void()> &work);

// Runs the request at once, or, while work of runBusy is under way, once the
// last of it has ended: a stop request must not end the program beneath it.
void whenIdle(const std::function<void()> &request);

// While it lives the application takes no input, as during runBusy, for work
// that stays on the window thread and lets the windows paint in between.
class InputPause
{
public:
    InputPause();
    ~InputPause();
    InputPause(const InputPause &) = delete;
    InputPause &operator=(const InputPause &) = delete;

private:
    std::unique_ptr<QObject> m_blocker;
};

} // namespace platform
