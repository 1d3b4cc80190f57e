#include "platform/windows/timers.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "platform/base/backend.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

struct Timer {
    Window* window = nullptr;
    UINT id = 0;
    UINT elapse = 0;
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // when it was set, for timers due together
};

struct Timers {
    std::vector<Timer> list;
    std::uint64_t nextOrder = 0;
};

Timers& timers() {
    static Timers instance;
    return instance;
}

}  // namespace

void postDueTimers() {
    const std::uint64_t now = backend().milliseconds();
    for (;;) {
        auto& list = timers().list;
        const auto next = std::ranges::min_element(list, [](const Timer& a, const Timer& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == list.end() || next->due > now) {
            return;
        }
        Timer& timer = *next;
        if (!timerMessagePending(timer.window, timer.id)) {
            PostMessage(timer.window, WM_TIMER, timer.id, 0);
        }
        // A clock that jumped far ahead gives one message, not a burst.
        timer.due = timer.due + timer.elapse > now ? timer.due + timer.elapse : now + timer.elapse;
    }
}

std::optional<std::uint64_t> nextTimerDue() {
    const auto& list = timers().list;
    if (list.empty()) {
        return std::nullopt;
    }
    return std::ranges::min(list, {}, &Timer::due).due;
}

void killTimersOf(Window* window) {
    std::erase_if(timers().list, [window](const Timer& t) { return t.window == window; });
}

void resetTimers() {
    timers() = Timers{};
}

}  // namespace platform

UINT SetTimer(HWND hwnd, UINT id, UINT elapse, TIMERPROC callback) {
    assert(callback == nullptr);
    (void)callback;
    if (!platform::isLive(hwnd)) {
        return 0;
    }
    auto& t = platform::timers();
    std::erase_if(t.list,
                  [&](const platform::Timer& timer) { return timer.window == hwnd && timer.id == id; });
    // A period of 0 would fall due forever without time passing.
    const UINT period = std::max<UINT>(elapse, 1);
    t.list.push_back({hwnd, id, period, platform::backend().milliseconds() + period, t.nextOrder++});
    return id;
}

BOOL KillTimer(HWND hwnd, UINT id) {
    auto& list = platform::timers().list;
    const auto removed = std::erase_if(
        list, [&](const platform::Timer& timer) { return timer.window == hwnd && timer.id == id; });
    if (platform::isLive(hwnd)) {
        platform::forgetTimerMessages(hwnd, id);
    }
    return removed > 0 ? TRUE : FALSE;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(platform::backend().milliseconds());
}
