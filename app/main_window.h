// The main window procedure: every message of the main window arrives here
// and is routed to the game operations, the navigation, the renderers, the
// layout and the dialogs.
#pragma once

#include "platform/base/messages.h"

LRESULT mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Places every control for the main window's client size and publishes the
// board rectangles, the clock's rectangle and the arrangement.
void layoutControls();
