// The purple behind the board and the controls: the window's own colour,
// shared by the game, its pictures and the tools that draw its screens.
#pragma once

#include "platform/base/types.h"

inline constexpr COLORREF kWindowColour = RGB(110, 87, 158);
