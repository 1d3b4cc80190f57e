// The desktop's ways of moving the view, beside the handheld's: the wheel
// zooms one step in at the pointer or one step out, + and - zoom at the view's
// centre, and a drag with the right or middle button pans a zoomed board.
// None of them changes the selected tool or colour.
#pragma once

#include "platform/base/messages.h"

// WM_MOUSEWHEEL, the right and middle buttons, and moves while one is held.
void handleDesktopPointer(UINT message, WPARAM wParam, LPARAM lParam);

// + and - (either keyboard's); answers whether the key was one of them.
bool handleZoomKey(UINT virtualKey);
