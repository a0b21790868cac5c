// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

class QObject;

namespace platform {

// Runs work on a thread of its own and returns when it is done. Meanwhile
// the windows keep painting and timers keep running, but the application
// takes no input: clicks, keys, input-method text, shortcuts and close
// requests are dropped, as the hourglass the caller shows promises. The work
// must leave widgets alone, and nothing on the window thread may use what
// the work uses (see unlessBusy).
void runBusy(const std::function<void()> &work);

// True while work of runBusy is under way or an InputPause lives.
bool busy();

// The handler, made to do nothing while busy() holds. The windows connect
// their commands through it: a click made by another program or by an
// accessibility tool calls a button's click() past every event filter, and
// must not start a command beside the running work, which may be using the
// database connection. The handler takes the signal's arguments, or none.
template <typename Handler>
auto unlessBusy(Handler handler)
{
    return [handler = std::move(handler)](auto &&...arguments)
               -> std::enable_if_t<std::is_invocable_v<const Handler &, decltype(arguments)...>> {
        if (!busy())
            handler(std::forward<decltype(arguments)>(arguments)...);
    };
}

// Runs the request at once, or, while busy(), once the last of the work has
// ended: a stop request must not end the program beneath it.
void whenIdle(const std::function<void()> &request);

// Whether a request given to whenIdle is waiting: work on the window thread
// that can stop part-way stops, so that a stop request need not wait for all
// of it. Like the others, for the window thread only.
bool requestWaiting();

// While it lives the application takes no input and busy() holds, as during
// runBusy, for work that stays on the window thread and lets the windows
// paint in between.
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
