// What SDL's keys and mouse buttons mean to the game: the virtual-key codes
// and modifiers the platform's input takes, and which button is the stylus.
#pragma once

#include <SDL_keyboard.h>
#include <SDL_mouse.h>

#include <optional>

#include "platform/base/messages.h"
#include "platform/base/types.h"
#include "platform/windows/input.h"

namespace platform {

struct TranslatedKey {
    UINT virtualKey = 0;
    BYTE modifiers = MODIFIER_NONE;
    friend bool operator==(const TranslatedKey&, const TranslatedKey&) = default;
};

// The virtual-key code of an SDL key, or nothing for a key the game has no use
// for (function keys, the modifiers pressed on their own, media keys).
std::optional<UINT> virtualKeyFor(SDL_Keycode key);

// The platform's modifier bits for SDL's (either Control key counts as Control).
BYTE modifiersFor(Uint16 sdlModifiers);

// A key press as the game sees it, or nothing.
std::optional<TranslatedKey> translateKey(SDL_Keycode key, Uint16 sdlModifiers);

// The key that turns the screen between portrait and landscape. It belongs to
// the backend (a desktop has no device to turn) and never reaches the game.
inline constexpr SDL_Keycode kRotateKey = SDLK_F9;
bool isRotateKey(SDL_Keycode key);
// The key that toggles full screen, the backend's too.
inline constexpr SDL_Keycode kFullScreenKey = SDLK_F11;

// The mouse button that acts as the stylus: the left one. The right and middle
// ones are the desktop's other buttons (they pan); the rest do nothing.
bool isStylusButton(Uint8 sdlButton);
OtherButton otherButtonFor(Uint8 sdlButton);

// The wheel's turn in the platform's units (WHEEL_DELTA a notch, positive away
// from the user), from SDL's precise amount and its direction.
int wheelDeltaFor(float preciseY, Uint32 direction);

// A pinch on a touchpad as wheel notches: its spread (SDL's dDist, a share
// of the pad's diagonal) gathers in `gathered`; every kPinchPerNotch of it
// gives one notch, in, for fingers moving apart, or out.
inline constexpr float kPinchPerNotch = 0.04f;
int pinchWheelDelta(float& gathered, float spread);

}  // namespace platform
