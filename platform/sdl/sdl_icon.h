// The window's icon: the program's icon resource 101, when it has one.
#pragma once

#include <SDL_video.h>

namespace platform {

inline constexpr int kWindowIconId = 101;

// Sets the icon of `window` from the program's icon at `size` pixels; answers
// false (and leaves the window system's default) when the program has none.
bool setWindowIcon(SDL_Window* window, int size = 64);

}  // namespace platform
