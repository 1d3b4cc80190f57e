// Device contexts: selection, ownership of objects, drawing onto a surface.
#include <gtest/gtest.h>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "tests/support/test_canvas.h"

namespace drawing_test {
namespace {

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

}  // namespace
}  // namespace drawing_test
