#include "platform/sdl/sdl_cursor.h"

#include <initializer_list>

namespace platform {

SDL_SystemCursor sdlCursorFor(SystemCursor shape) {
    switch (shape) {
        case IDC_CROSS:
            return SDL_SYSTEM_CURSOR_CROSSHAIR;
        case IDC_WAIT:
            return SDL_SYSTEM_CURSOR_WAIT;
        case IDC_ARROW:
            break;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

SdlCursors::~SdlCursors() {
    for (SDL_Cursor* cursor : {arrow_, cross_, wait_}) {
        if (cursor != nullptr) {
            SDL_FreeCursor(cursor);
        }
    }
}

SDL_Cursor* SdlCursors::cursorFor(SystemCursor shape) {
    SDL_Cursor*& slot = shape == IDC_CROSS ? cross_ : shape == IDC_WAIT ? wait_ : arrow_;
    if (slot == nullptr) {
        slot = SDL_CreateSystemCursor(sdlCursorFor(shape));
    }
    return slot;
}

void SdlCursors::update() {
    HCURSOR current = currentCursor();
    const SystemCursor shape = current != nullptr ? current->shape : IDC_ARROW;
    if (shape == shown_) {
        return;
    }
    if (SDL_Cursor* cursor = cursorFor(shape)) {
        SDL_SetCursor(cursor);
    }
    shown_ = shape;
}

}  // namespace platform
