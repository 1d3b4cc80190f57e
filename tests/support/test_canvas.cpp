#include "tests/support/test_canvas.h"

#include <gtest/gtest.h>

#include "platform/drawing/drawing.h"

namespace drawing_test {

TestCanvas::TestCanvas(int width, int height, COLORREF background)
    : background_(background),
      dc_(CreateCompatibleDC(nullptr)),
      bitmap_(CreateCompatibleBitmap(dc_, width, height)),
      previousBitmap_(SelectObject(dc_, bitmap_)) {
    for (platform::Pixel& p : surface().pixels()) {
        p = platform::pixelFromColour(background);
    }
}

TestCanvas::~TestCanvas() {
    release();
    SelectObject(dc_, previousBitmap_);
    DeleteDC(dc_);
    EXPECT_TRUE(DeleteObject(bitmap_));
}

void TestCanvas::release() {
    if (pen_ != nullptr) {
        SelectObject(dc_, previousPen_);
        SelectObject(dc_, previousBrush_);
        EXPECT_TRUE(DeleteObject(pen_));
        EXPECT_TRUE(DeleteObject(brush_));
        pen_ = nullptr;
        brush_ = nullptr;
    }
}

void TestCanvas::use(COLORREF pen, int penWidth, COLORREF brush) {
    release();
    pen_ = CreatePen(PS_SOLID, penWidth, pen);
    brush_ = CreateSolidBrush(brush);
    previousPen_ = SelectObject(dc_, pen_);
    previousBrush_ = SelectObject(dc_, brush_);
}

void TestCanvas::useNullBrush(COLORREF pen, int penWidth) {
    use(pen, penWidth, RGB(1, 2, 3));
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
}

int TestCanvas::count(COLORREF colour) {
    int n = 0;
    for (const platform::Pixel p : surface().pixels()) {
        n += p == platform::pixelFromColour(colour) ? 1 : 0;
    }
    return n;
}

std::string TestCanvas::picture(COLORREF ink) {
    return picture(0, 0, surface().width(), surface().height(), ink);
}

std::string TestCanvas::picture(int left, int top, int right, int bottom, COLORREF ink) {
    std::string text;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const COLORREF c = at(x, y);
            text += c == ink ? '#' : c == background_ ? '.' : c == kPen ? 'o' : '?';
        }
        text += '\n';
    }
    return text;
}

PixelBox boxWhere(const platform::Surface& surface, const std::function<bool(platform::Pixel)>& wanted) {
    PixelBox box;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (wanted(surface.at(x, y))) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y), box.pixels + 1};
            }
        }
    }
    return box;
}

platform::Surface coordinateSurface(int width, int height, int tag) {
    platform::Surface surface(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            surface.set(x, y, platform::pixelFromColour(RGB(x, y, tag)));
        }
    }
    return surface;
}

}  // namespace drawing_test
