// The demo's window: a few owner-drawn buttons, a scroll bar and a list box,
// written against the platform layer only. Each notification it gets is
// printed to standard output as one line, so that a test can follow it.
#pragma once

#include "platform/base/handles.h"

namespace demo {

// Creates and shows the main window; nullptr on failure.
HWND createDemoWindow();

// Runs the message loop until the window is gone (Esc or closing it) and
// answers the exit code.
int runDemo(HWND window);

}  // namespace demo
