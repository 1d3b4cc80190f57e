// A 32-bit pixel surface: what bitmaps hold and what windows show.
//
// Each pixel is 0x00RRGGBB (red in bits 16-23, green 8-15, blue 0-7; the top
// byte is unused and kept 0). Note that COLORREF orders the channels the other
// way round, 0x00BBGGRR; convert with pixelFromColour and colourFromPixel.
// Rows run top to bottom with no padding: pixel (x, y) is pixels()[y * width + x].
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/base/types.h"

namespace platform {

using Pixel = std::uint32_t;

constexpr Pixel pixelFromColour(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF colourFromPixel(Pixel p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

class Surface {
  public:
    Surface() = default;
    // A surface of width x height pixels, all `fill`. Negative sizes count as 0.
    Surface(int width, int height, Pixel fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    Pixel* row(int y) {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    const Pixel* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    // Unchecked access; the caller keeps x and y inside the surface.
    Pixel at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, Pixel p) { row(y)[x] = p; }

    std::span<Pixel> pixels() { return pixels_; }
    std::span<const Pixel> pixels() const { return pixels_; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace platform
