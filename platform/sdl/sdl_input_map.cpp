#include "platform/sdl/sdl_input_map.h"

#include <SDL_events.h>

#include <cmath>

namespace platform {

std::optional<UINT> virtualKeyFor(SDL_Keycode key) {
    // Letters and digits are their capital ASCII codes; SDL gives lower-case letters.
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<UINT>('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<UINT>('0' + (key - SDLK_0));
    }
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_EQUALS:
        case SDLK_PLUS:
            return VK_OEM_PLUS;
        case SDLK_MINUS:
            return VK_OEM_MINUS;
        case SDLK_KP_PLUS:
            return VK_ADD;
        case SDLK_KP_MINUS:
            return VK_SUBTRACT;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_END:
            return VK_END;
        default:
            return std::nullopt;
    }
}

BYTE modifiersFor(Uint16 sdlModifiers) {
    BYTE modifiers = MODIFIER_NONE;
    if ((sdlModifiers & KMOD_SHIFT) != 0) {
        modifiers |= MODIFIER_SHIFT;
    }
    if ((sdlModifiers & KMOD_CTRL) != 0) {
        modifiers |= MODIFIER_CONTROL;
    }
    if ((sdlModifiers & KMOD_ALT) != 0) {
        modifiers |= MODIFIER_ALT;
    }
    return modifiers;
}

std::optional<TranslatedKey> translateKey(SDL_Keycode key, Uint16 sdlModifiers) {
    const std::optional<UINT> virtualKey = virtualKeyFor(key);
    if (!virtualKey) {
        return std::nullopt;
    }
    return TranslatedKey{*virtualKey, modifiersFor(sdlModifiers)};
}

bool isRotateKey(SDL_Keycode key) {
    return key == kRotateKey;
}

bool isStylusButton(Uint8 sdlButton) {
    return sdlButton == SDL_BUTTON_LEFT;
}

OtherButton otherButtonFor(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_RIGHT:
            return OtherButton::Right;
        case SDL_BUTTON_MIDDLE:
            return OtherButton::Middle;
        default:
            return OtherButton::None;
    }
}

int wheelDeltaFor(float preciseY, Uint32 direction) {
    const float away = direction == SDL_MOUSEWHEEL_FLIPPED ? -preciseY : preciseY;
    return static_cast<int>(std::lround(away * WHEEL_DELTA));
}

int pinchWheelDelta(float& gathered, float spread) {
    gathered += spread;
    const int notches = static_cast<int>(gathered / kPinchPerNotch);
    gathered -= static_cast<float>(notches) * kPinchPerNotch;
    return notches * WHEEL_DELTA;
}

}  // namespace platform
