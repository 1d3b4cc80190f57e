// Window timers and the tick count. A timer falls due every `elapse`
// milliseconds by the backend's clock and is then queued as WM_TIMER (word
// parameter: its id) for its window; while one of its WM_TIMER messages waits
// in the queue, it queues no second one. Timers that fall due together are
// queued in the order they fell due, then in the order they were set.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/base/handles.h"
#include "platform/base/types.h"

using TIMERPROC = void (*)(HWND, UINT, UINT, DWORD);

// Sets (or resets) timer `id` of the window; answers `id`, or 0 when the window
// does not exist. The game's timers come as messages: `callback` must be nullptr.
UINT SetTimer(HWND hwnd, UINT id, UINT elapse, TIMERPROC callback);
// Answers FALSE when there was no such timer; a WM_TIMER of it still queued is removed.
BOOL KillTimer(HWND hwnd, UINT id);

// Milliseconds since start, in 32 bits: wraps to 0 after about 49.7 days.
DWORD GetTickCount();

namespace platform {

struct Window;

// Queues WM_TIMER for every timer due by now.
void postDueTimers();
// When the next timer falls due, by the backend's clock; nothing without timers.
std::optional<std::uint64_t> nextTimerDue();
void killTimersOf(Window* window);
void resetTimers();

}  // namespace platform
