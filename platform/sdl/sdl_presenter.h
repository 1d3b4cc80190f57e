// Shows the game's screen in the window: the composed screen is copied into a
// streaming texture the size of the window's drawable area, pixel for pixel,
// so nothing is ever scaled (and nothing blurs on a high-density display).
#pragma once

#include <SDL_render.h>
#include <SDL_video.h>

#include <string>

#include "platform/base/backend.h"
#include "platform/pixels/surface.h"

namespace platform {

class SdlPresenter {
  public:
    SdlPresenter() = default;
    ~SdlPresenter();
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    // Makes the renderer; on failure says why.
    bool open(SDL_Window* window, std::string* why);

    // The drawable area in pixels: the screen's size.
    ScreenSize outputSize() const;

    // Shows `screen` at `origin` of the drawable when it differs from what is
    // shown, or always with `force` (the window system lost the window's
    // contents); the rest of the drawable is `background`.
    void present(const Surface& screen, bool force, POINT origin, COLORREF background);

  private:
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    ScreenSize textureSize_{};
    Surface shown_;
};

}  // namespace platform
