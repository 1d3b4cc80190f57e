// The arithmetic between the desktop window and the game's screen: how large
// a window to open, and where a point of the window lies on the screen. Kept
// apart from SDL so that it can be checked without a display.
#pragma once

#include "platform/base/backend.h"
#include "platform/base/types.h"

namespace platform {

// The handheld's client areas, which the window shows at a whole multiple.
inline constexpr ScreenSize kPortraitBase{240, 294};
inline constexpr ScreenSize kLandscapeBase{320, 214};

// The smallest multiple we open at: at 1x the game's text and buttons are too
// small to read or hit on a desktop.
inline constexpr int kMinimumScale = 2;

// The largest whole multiple of `base` that fits in 90% of the desktop's usable
// area (leaving room for the window's frame and title bar), and never less than
// kMinimumScale, even on a desktop too small for it.
int chooseScale(ScreenSize usable, ScreenSize base);

// `base` scaled by `scale`.
ScreenSize scaled(ScreenSize base, int scale);

// The client area of the other orientation at the same scale: a turn swaps the
// portrait and landscape arrangements, not merely the width and height.
ScreenSize turned(ScreenSize current, int scale);

// Is this screen in the portrait arrangement (a square counts as portrait)?
bool isPortrait(ScreenSize screen);

// The window size a resize to `requested` settles at: the whole multiple
// (1x at least) of the client area of the orientation the requested shape
// suggests, the one nearest to it. The layout never clips at these sizes.
ScreenSize snapWindowSize(ScreenSize requested);

// The screen shown in a drawable area that cannot be snapped (full screen, a
// maximised window): the largest whole multiple of the orientation's client
// area that fits, 1x when none does.
ScreenSize fittedScreen(ScreenSize drawable, bool portrait);

// Where that screen lies in the drawable: centred, never above or left of it.
POINT screenOrigin(ScreenSize drawable, ScreenSize screen);

// A point of the window (in the window system's units) on the screen (in
// pixels): scaled by screen / window, rounding towards minus infinity so that
// every screen pixel has the same share of the window. Points outside the
// window (the pointer held and dragged out) map outside the screen.
POINT windowToScreen(int x, int y, ScreenSize window, ScreenSize screen);

// A touch at a fraction of the window's width and height (0 ... 1).
POINT touchToScreen(float x, float y, ScreenSize screen);

// The fonts' dots per inch for a screen `scale` times the handheld's 96.
int dotsPerInchForScale(int scale);

}  // namespace platform
