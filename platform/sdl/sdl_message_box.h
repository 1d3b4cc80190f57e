// A message box before the game has a window of its own (the window layer
// draws every later one on the screen): the desktop's, or standard error when
// the desktop cannot show one.
#pragma once

#include <SDL_video.h>

#include <string_view>

#include "platform/base/types.h"

namespace platform {

// Answers IDOK, or IDYES / IDNO for MB_YESNO; IDOK / IDNO when it could not ask.
int showDesktopMessageBox(SDL_Window* parent, std::u16string_view text, std::u16string_view caption,
                          UINT type);

}  // namespace platform
