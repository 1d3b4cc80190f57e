#include "platform/sdl/sdl_input_map.h"

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

}  // namespace platform
