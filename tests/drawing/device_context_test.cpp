// Device contexts: selection, ownership of objects, drawing onto a surface.
#include <gtest/gtest.h>

#include <array>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

TEST(SelectObject, AnswersThePreviousObjectOfEachKind) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HFONT font = CreateFont(-10, FW_NORMAL, u"Arial");
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);

    HPEN firstPen = SelectObject(dc, pen);
    HBRUSH firstBrush = SelectObject(dc, brush);
    HFONT firstFont = SelectObject(dc, font);
    HBITMAP firstBitmap = SelectObject(dc, bitmap);
    ASSERT_NE(firstPen, nullptr);
    EXPECT_EQ(firstPen->width, 1);
    EXPECT_EQ(firstPen->colour, RGB(0, 0, 0));
    EXPECT_EQ(firstBrush->colour, RGB(255, 255, 255));
    ASSERT_NE(firstFont, nullptr);
    ASSERT_NE(firstBitmap, nullptr);

    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(SelectObject(dc, firstBrush), GetStockObject(NULL_BRUSH));
    EXPECT_EQ((std::array<void*, 3>{SelectObject(dc, firstPen), SelectObject(dc, firstFont),
                                    SelectObject(dc, firstBitmap)}),
              (std::array<void*, 3>{pen, font, bitmap}));
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(pen) && DeleteObject(brush) && DeleteObject(font) && DeleteObject(bitmap));
}

TEST(DeleteObject, RefusesObjectsStillSelectedAndIgnoresStockOnes) {
    const int before = platform::liveDrawingObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    HFONT font = CreateFont(12, FW_NORMAL, u"Arial");
    EXPECT_EQ(platform::liveDrawingObjects(), before + 3);
    HBITMAP oldBitmap = SelectObject(dc, bitmap);
    HPEN oldPen = SelectObject(dc, pen);
    EXPECT_FALSE(DeleteObject(bitmap) || DeleteObject(pen));
    // The default pen is stock: still usable below.
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH)) && DeleteObject(oldPen));
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldPen);
    EXPECT_TRUE(DeleteObject(bitmap) && DeleteObject(pen) && DeleteObject(font));
    EXPECT_EQ(platform::liveDrawingObjects(), before);
    DeleteDC(dc);
}

TEST(SelectObject, ABitmapIsDrawnThroughOneContextAtATime) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(first, 2, 2);
    HBITMAP original = SelectObject(first, bitmap);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    // Deleting the context lets the bitmap go.
    DeleteDC(first);
    EXPECT_NE(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(SelectObject(second, original), bitmap);
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(CreateCompatibleBitmap, IsBlackAndRefusesNegativeSizes) {
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 3, 2);
    ASSERT_NE(bitmap, nullptr);
    for (const platform::Pixel p : platform::bitmapSurface(bitmap).pixels()) {
        EXPECT_EQ(p, 0u);
    }
    DeleteObject(bitmap);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, -1, 2), nullptr);
    HBITMAP empty = CreateCompatibleBitmap(nullptr, 0, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP old = SelectObject(dc, empty);
    const RECT r{0, 0, 10, 10};
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    FillRect(dc, &r, brush);  // nothing to draw on, nothing happens
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(brush);
    DeleteObject(empty);
}

TEST(SurfaceContext, DrawsThroughItsOriginAndStaysInsideItsClip) {
    platform::Surface window(10, 8, platform::pixelFromColour(kPaper));
    const RECT clip{2, 2, 7, 6};
    HDC dc = platform::createSurfaceDC(window, POINT{2, 2}, &clip);
    HBRUSH black = CreateSolidBrush(kInk);
    const RECT everything{-100, -100, 100, 100};
    FillRect(dc, &everything, black);
    const RECT corner{0, 0, 1, 1};
    HBRUSH red = CreateSolidBrush(kPen);
    FillRect(dc, &corner, red);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const COLORREF expected = (x == 2 && y == 2)                     ? kPen
                                      : (x >= 2 && x < 7 && y >= 2 && y < 6) ? kInk
                                                                             : kPaper;
            EXPECT_EQ(platform::colourFromPixel(window.at(x, y)), expected) << x << "," << y;
        }
    }
    // Copies out of it read through the same origin.
    TestCanvas canvas(2, 2);
    BitBlt(canvas.dc(), 0, 0, 2, 2, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.picture(kInk), rows("o# ##"));
    // A bitmap cannot be selected into it.
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 1, 1);
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteObject(black);
    DeleteObject(red);
}

TEST(Settings, TextColourBackgroundColourAndModeAnswerTheirPreviousValues) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ((std::array{SetTextColor(dc, RGB(1, 2, 3)), SetTextColor(dc, RGB(4, 5, 6)),
                          SetBkColor(dc, RGB(7, 8, 9))}),
              (std::array{RGB(0, 0, 0), RGB(1, 2, 3), RGB(255, 255, 255)}));
    EXPECT_EQ((std::array{SetBkMode(dc, TRANSPARENT), SetBkMode(dc, OPAQUE)}),
              (std::array{OPAQUE, TRANSPARENT}));
    DeleteDC(dc);
}

}  // namespace
}  // namespace drawing_test
