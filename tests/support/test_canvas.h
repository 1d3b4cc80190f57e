// A memory device context over a fresh bitmap, and ways to read it back: a
// colour per pixel, or a picture in text ('#' for one colour, '.' for the
// background, 'o' for kPen, '?' for anything else) that a test compares with the one it expects.
#pragma once

#include <algorithm>
#include <functional>
#include <string>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/pixels/surface.h"

namespace drawing_test {

inline constexpr COLORREF kPaper = RGB(255, 255, 255);
inline constexpr COLORREF kInk = RGB(0, 0, 0);
inline constexpr COLORREF kPen = RGB(255, 0, 0);

class TestCanvas {
  public:
    TestCanvas(int width, int height, COLORREF background = kPaper);
    ~TestCanvas();
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    platform::Surface& surface() { return platform::bitmapSurface(bitmap_); }

    COLORREF at(int x, int y) { return platform::colourFromPixel(surface().at(x, y)); }
    int count(COLORREF colour);
    // One line per row, each followed by '\n'.
    std::string picture(COLORREF ink = kInk);
    std::string picture(int left, int top, int right, int bottom, COLORREF ink = kInk);

    // Selects a pen and brush for the test's life.
    void use(COLORREF pen, int penWidth, COLORREF brush);
    void useNullBrush(COLORREF pen, int penWidth);

  private:
    void release();

    COLORREF background_;
    HDC dc_;
    HBITMAP bitmap_;
    HBITMAP previousBitmap_;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
    HPEN previousPen_ = nullptr;
    HBRUSH previousBrush_ = nullptr;
};

// The box around every pixel of a surface for which `wanted` holds, and their count.
struct PixelBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right and bottom included
    int pixels = 0;
    bool any() const { return pixels > 0; }
    double centreX() const { return (left + right + 1) / 2.0; }
    double centreY() const { return (top + bottom + 1) / 2.0; }
};
PixelBox boxWhere(const platform::Surface& surface, const std::function<bool(platform::Pixel)>& wanted);

// A width x height surface whose pixel (x, y) is RGB(x, y, tag): every pixel
// copied from it tells where it came from.
platform::Surface coordinateSurface(int width, int height, int tag = 0);

class CoordinateCanvas : public TestCanvas {
  public:
    CoordinateCanvas(int width, int height, int tag = 0) : TestCanvas(width, height) {
        surface() = coordinateSurface(width, height, tag);
    }
};

// A picture written on one line, its rows separated by spaces, as picture() gives it.
inline std::string rows(std::string text) {
    std::ranges::replace(text, ' ', '\n');
    return text + '\n';
}

}  // namespace drawing_test
