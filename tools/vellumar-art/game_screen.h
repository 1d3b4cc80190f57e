// The main window as the game draws it, for the help charts: every control
// where the layout puts it, with its real face (drawButtonFace and the
// clock's own digits) in a small game in progress, and the board left to the
// caller. Drawn at a scale of the 1x screen, with the fonts of that many dots
// per inch, so each variant of a chart is the game at that resolution.
#pragma once

#include "platform/base/handles.h"
#include "platform/pixels/surface.h"
#include "ui/screen_layout.h"

namespace art {

// The button faces as a module LoadBitmap reads, made by this same run of
// the generator rather than read from the committed files, so a chart never
// shows a face older than the one written beside it.
HINSTANCE facesModule();

// What the shown game holds: the pattern's name and its counters.
inline constexpr const char16_t* kDemoPatternName = u"Cottage";
inline constexpr int kDemoAllowanceSeconds = 5 * 60 + 40;  // 05:40 on the clock

struct GameScreen {
    ScreenLayout layout;       // for width x height at the scale
    platform::Surface pixels;  // width x height at the scale
};

// The screen of width x height (1x pixels) at `scale`: the ground, the banner,
// the toolbar, the clock, the status row and the palette. The board's area
// is left as `ground`.
GameScreen drawGameScreen(int width, int height, int scale, platform::Pixel ground);

// The demo pattern's board, as the board renderer draws it, into a picture
// of `width` x `height` pixels (already scaled).
platform::Surface drawDemoBoard(int width, int height, int scale);

}  // namespace art
