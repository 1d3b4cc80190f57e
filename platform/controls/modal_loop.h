// The loop that runs while a dialog or a message box is open. It pumps the
// one message queue, so the other windows' timers and paints still arrive;
// input to the windows the modal one belongs to is kept away from them by
// disabling them, which the caller does.
#pragma once

#include <functional>

#include "platform/base/handles.h"

namespace platform {

// Runs until `done` answers true or `window` no longer exists. Keys aimed at
// the window or its controls work as in a dialog: Enter presses the default
// push button (WM_COMMAND with its id, IDOK when there is none), Escape sends
// IDCANCEL. Answers false when the quit message came instead; it is queued
// again so that the outer loop ends too.
bool runModalLoop(HWND window, const std::function<bool()>& done);

}  // namespace platform
