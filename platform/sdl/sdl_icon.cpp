#include "platform/sdl/sdl_icon.h"

#include <SDL.h>

#include "platform/drawing/resource_images.h"

namespace platform {

bool setWindowIcon(SDL_Window* window, int size) {
    const std::optional<IconImage> icon = loadIcon(nullptr, kWindowIconId, size);
    if (!icon || icon->pixels.empty()) {
        return false;
    }
    const int width = icon->pixels.width();
    const int height = icon->pixels.height();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return false;
    }
    // The icon's coverage becomes the alpha byte our pixels leave unused.
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x;
            const Uint32 alpha = at < icon->alpha.size() ? icon->alpha[at] : 255;
            row[x] = (alpha << 24) | (icon->pixels.at(x, y) & 0x00FFFFFFu);
        }
    }
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
    return true;
}

}  // namespace platform
