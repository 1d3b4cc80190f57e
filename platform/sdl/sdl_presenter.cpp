#include "platform/sdl/sdl_presenter.h"

#include <SDL.h>

#include <algorithm>

namespace platform {

SdlPresenter::~SdlPresenter() {
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
}

bool SdlPresenter::open(SDL_Window* window, std::string* why) {
    // Any renderer will do, the software one included: we only copy pixels.
    renderer_ = SDL_CreateRenderer(window, -1, 0);
    if (renderer_ == nullptr) {
        *why = SDL_GetError();
        return false;
    }
    return true;
}

ScreenSize SdlPresenter::outputSize() const {
    ScreenSize size;
    if (renderer_ == nullptr || SDL_GetRendererOutputSize(renderer_, &size.width, &size.height) != 0) {
        return {};
    }
    return size;
}

void SdlPresenter::present(const Surface& screen, bool force, POINT origin, COLORREF background) {
    if (renderer_ == nullptr || screen.empty()) {
        return;
    }
    const bool sameSize = screen.width() == shown_.width() && screen.height() == shown_.height();
    if (!force && sameSize &&
        std::equal(screen.pixels().begin(), screen.pixels().end(), shown_.pixels().begin())) {
        return;
    }
    if (texture_ == nullptr || textureSize_.width != screen.width() ||
        textureSize_.height != screen.height()) {
        if (texture_ != nullptr) {
            SDL_DestroyTexture(texture_);
        }
        // Our pixels are 0x00RRGGBB: ARGB with the alpha byte unused.
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                     screen.width(), screen.height());
        textureSize_ = {screen.width(), screen.height()};
        if (texture_ == nullptr) {
            return;
        }
    }
    SDL_UpdateTexture(texture_, nullptr, screen.pixels().data(),
                      screen.width() * static_cast<int>(sizeof(Pixel)));
    SDL_SetRenderDrawColor(renderer_, GetRValue(background), GetGValue(background), GetBValue(background),
                           255);
    SDL_RenderClear(renderer_);
    // One screen pixel on one drawable pixel; while a resize is on its way the
    // two may briefly differ, and then the edge shows the background.
    const SDL_Rect place{origin.x, origin.y, screen.width(), screen.height()};
    SDL_RenderCopy(renderer_, texture_, nullptr, &place);
    SDL_RenderPresent(renderer_);
    shown_ = screen;
}

}  // namespace platform
