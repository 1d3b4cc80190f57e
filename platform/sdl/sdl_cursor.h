// The mouse pointer takes the shape the game set last (platform/drawing/cursor.h): the
// arrow, the cross over the board, the wait cursor while a pattern loads.
#pragma once

#include <SDL_mouse.h>

#include "platform/drawing/cursor.h"

namespace platform {

// SDL's system cursor for one of the game's.
SDL_SystemCursor sdlCursorFor(SystemCursor shape);

class SdlCursors {
  public:
    SdlCursors() = default;
    ~SdlCursors();
    SdlCursors(const SdlCursors&) = delete;
    SdlCursors& operator=(const SdlCursors&) = delete;

    // Shows the platform's current cursor if it has changed since the last call.
    void update();

  private:
    SDL_Cursor* cursorFor(SystemCursor shape);

    SDL_Cursor* arrow_ = nullptr;
    SDL_Cursor* cross_ = nullptr;
    SDL_Cursor* wait_ = nullptr;
    int shown_ = 0;
};

}  // namespace platform
