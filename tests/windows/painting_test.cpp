#include <gtest/gtest.h>

#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/pixels/surface.h"
#include "platform/windows/invalidation.h"
#include "window_test_support.h"

namespace {

constexpr platform::Pixel kBackground = platform::pixelFromColour(RGB(110, 87, 158));
constexpr platform::Pixel kRed = platform::pixelFromColour(RGB(255, 0, 0));

class PaintingTest : public WindowTest {
  protected:
    // Each (x, y) of the screen shows its colour.
    struct ScreenPixel {
        int x, y;
        platform::Pixel colour;
    };
    void expectScreen(std::initializer_list<ScreenPixel> pixels) {
        for (const ScreenPixel& p : pixels) {
            EXPECT_EQ(backend.pixelAt(p.x, p.y), p.colour) << p.x << "," << p.y;
        }
    }
};

TEST_F(PaintingTest, TheUpdateRectangleIsTheUnionOfWhatWasInvalidated) {
    HWND main = settledMainWindow();
    RECT update;
    EXPECT_EQ(GetUpdateRect(main, &update, FALSE), FALSE);

    const RECT a{10, 10, 20, 20};
    const RECT b{30, 5, 40, 15};
    InvalidateRect(main, &a, FALSE);
    InvalidateRect(main, &b, FALSE);
    EXPECT_EQ(GetUpdateRect(main, &update, FALSE), TRUE);
    EXPECT_EQ(update, (RECT{10, 5, 40, 20}));

    // Clipped to the client area.
    const RECT outside{-50, -50, 15, 12};
    InvalidateRect(main, &outside, FALSE);
    GetUpdateRect(main, &update, FALSE);
    EXPECT_EQ(update, (RECT{0, 0, 40, 20}));
}

TEST_F(PaintingTest, BeginPaintReportsAndClearsTheUpdateRectangle) {
    HWND main = settledMainWindow();
    const RECT a{5, 6, 7, 8};
    InvalidateRect(main, &a, FALSE);
    PAINTSTRUCT ps;
    ASSERT_NE(BeginPaint(main, &ps), nullptr);
    EXPECT_EQ(ps.rcPaint, a);
    RECT update;
    EXPECT_EQ(GetUpdateRect(main, &update, FALSE), FALSE);
    EndPaint(main, &ps);
    clearReceived();
    backend.runUntilIdle();
    EXPECT_TRUE(received(WM_PAINT).empty());
}

TEST_F(PaintingTest, OnlyAnErasingInvalidationFillsWithTheClassBrushAndOnlyInsideTheUpdate) {
    HWND main = settledMainWindow();
    EXPECT_EQ(backend.pixelAt(100, 100), kBackground);  // the first paint erases

    fillWindow(main, {0, 0, 240, 294}, RGB(255, 0, 0));
    const RECT box{10, 10, 20, 20};
    InvalidateRect(main, &box, FALSE);
    backend.runUntilIdle();
    EXPECT_EQ(backend.pixelAt(15, 15), kRed);

    InvalidateRect(main, &box, TRUE);
    backend.runUntilIdle();
    expectScreen({{15, 15, kBackground}, {19, 19, kBackground}, {20, 15, kRed}, {9, 15, kRed}});
}

TEST_F(PaintingTest, PaintingIsClippedToTheUpdateRectangle) {
    HWND main = createMainWindow();
    onMessage = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message != WM_PAINT) {
            return false;
        }
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        const RECT everything{0, 0, 1000, 1000};
        FillRect(ps.hdc, &everything, red);
        DeleteObject(red);
        EndPaint(hwnd, &ps);
        return true;
    };
    backend.runUntilIdle();
    EXPECT_EQ(backend.pixelAt(0, 0), kRed);
    // Blue everywhere; then a paint of one invalidated square may turn only that square red.
    fillWindow(main, {0, 0, 240, 294}, RGB(0, 0, 255));
    const RECT square{50, 50, 60, 60};
    InvalidateRect(main, &square, FALSE);
    backend.runUntilIdle();
    const platform::Pixel blue = platform::pixelFromColour(RGB(0, 0, 255));
    expectScreen({{55, 55, kRed}, {60, 55, blue}, {49, 49, blue}});
}

TEST_F(PaintingTest, InvalidatingAParentInvalidatesTheChildrenItCoversWhichPaintAfterIt) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 5, {100, 100, 140, 120});
    HWND elsewhere = createChild(main, u"Recorder", 0, 6, {0, 200, 20, 220});
    backend.runUntilIdle();
    clearReceived();

    const RECT area{90, 110, 110, 130};
    InvalidateRect(main, &area, FALSE);
    RECT update;
    ASSERT_EQ(GetUpdateRect(child, &update, FALSE), TRUE);
    EXPECT_EQ(update, (RECT{0, 10, 10, 20}));
    EXPECT_EQ(GetUpdateRect(elsewhere, &update, FALSE), FALSE);
    // The parent paints the union of what was invalidated, over every child in it.
    const RECT below{0, 225, 5, 230};
    InvalidateRect(main, &below, FALSE);
    ASSERT_EQ(GetUpdateRect(elsewhere, &update, FALSE), TRUE);
    EXPECT_EQ(update, (RECT{0, 0, 20, 20}));

    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_PAINT), (std::vector<HWND>{main, child, elsewhere}));
}

TEST_F(PaintingTest, ATopLevelWindowHiddenOrDestroyedHasWhatItCoveredRepainted) {
    for (const bool destroy : {false, true}) {
        HWND main = createMainWindow();
        HWND child = createChild(main, u"Recorder", 0, 5, {100, 100, 140, 120});
        HWND over =
            CreateWindow(u"Recorder", u"Over", WS_POPUP | WS_VISIBLE, 90, 95, 30, 20, nullptr, 0, nullptr);
        backend.runUntilIdle();
        destroy ? DestroyWindow(over) : ShowWindow(over, SW_HIDE);
        RECT update;
        ASSERT_EQ(GetUpdateRect(main, &update, FALSE), TRUE) << destroy;
        EXPECT_EQ(update, (RECT{90, 95, 120, 115}));
        ASSERT_EQ(GetUpdateRect(child, &update, FALSE), TRUE);
        EXPECT_EQ(update, (RECT{0, 0, 20, 15}));
        DestroyWindow(over);
        DestroyWindow(main);
    }
}

TEST_F(PaintingTest, AHiddenChildIsNotPaintedAndItsParentRepaintsUnderIt) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 5, {100, 100, 140, 120});
    backend.runUntilIdle();
    fillWindow(child, {0, 0, 40, 20}, RGB(255, 0, 0));
    EXPECT_EQ(backend.pixelAt(110, 110), kRed);
    clearReceived();

    ShowWindow(child, SW_HIDE);
    InvalidateRect(child, nullptr, FALSE);
    RECT update;
    EXPECT_EQ(GetUpdateRect(main, &update, FALSE), TRUE);
    EXPECT_EQ(update, (RECT{100, 100, 140, 120}));
    backend.runUntilIdle();
    for (const Received& r : received(WM_PAINT)) {
        EXPECT_NE(r.hwnd, child);
    }
    EXPECT_EQ(backend.pixelAt(110, 110), kBackground);
}

TEST_F(PaintingTest, UpdateWindowPaintsAtOnceWithoutTheQueue) {
    HWND main = settledMainWindow();
    InvalidateRect(main, nullptr, FALSE);
    UpdateWindow(main);
    EXPECT_EQ(received(WM_PAINT).size(), 1u);
    UpdateWindow(main);  // nothing left to paint
    EXPECT_EQ(received(WM_PAINT).size(), 1u);
}

TEST_F(PaintingTest, AChildDrawsIntoItsOwnPartOfTheScreen) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 5, {100, 100, 140, 120});
    backend.runUntilIdle();
    fillWindow(child, {-100, -100, 1000, 1000}, RGB(255, 0, 0));
    expectScreen({{100, 100, kRed},
                  {139, 119, kRed},
                  {140, 119, kBackground},
                  {99, 100, kBackground},
                  {100, 120, kBackground}});
}

}  // namespace
