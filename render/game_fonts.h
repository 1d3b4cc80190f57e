// The game's two fonts, Arial at 8 and 7 points for the screen's dots per inch.
#pragma once

#include "platform/base/handles.h"

// Heights in the platform's convention: negative, the character height in pixels.
constexpr int largeFontHeight(int dotsPerInch) {
    return -(8 * dotsPerInch) / 72;
}
constexpr int smallFontHeight(int dotsPerInch) {
    return -(7 * dotsPerInch) / 72;
}

// The board's numbers. Crisp, because the quick redraw draws every number
// again over the one already there.
HFONT createLargeFont(int dotsPerInch);
// The faces' numbers and names.
HFONT createSmallFont(int dotsPerInch);
