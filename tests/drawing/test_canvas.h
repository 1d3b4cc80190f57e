// A memory device context over a fresh bitmap, and ways to read it back: a
// colour per pixel, or a picture in text ('#' for one colour, '.' for the
// background, 'o' for kPen, '?' for anything else) that a test compares with the one it expects.
#pragma once

#include <algorithm>
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

// A picture written on one line, its rows separated by spaces, as picture() gives it.
inline std::string rows(std::string text) {
    std::ranges::replace(text, ' ', '\n');
    return text + '\n';
}

}  // namespace drawing_test
