// The screen: what the backend shows, made of the visible top-level windows'
// surfaces, bottom to top.
#pragma once

#include "platform/base/types.h"
#include "platform/pixels/surface.h"

namespace platform {

// (0, 0) to the backend's screen size.
RECT screenRect();

// The screen's pixels as they are now; black where no window lies.
Surface composeScreen();

// The screen has changed size (a turn, a resized desktop window): the windows
// that covered the whole screen cover the new one, message boxes are centred
// again, and every top-level window is sent WM_SETTINGCHANGE with
// SETTINGCHANGE_RESET. Call after the backend reports the new size.
void screenSizeChanged(RECT previous);

}  // namespace platform
