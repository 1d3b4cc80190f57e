// Invalidation, erasing and the paint cycle.
#include "platform/windows/invalidation.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/pixels/surface.h"
#include "window_test_support.h"

namespace {

constexpr platform::Pixel kBackground = pixelOf(kRecorderBackground);
constexpr platform::Pixel kRed = pixelOf(RGB(255, 0, 0));
constexpr platform::Pixel kBlue = pixelOf(RGB(0, 0, 255));

class PaintingTest : public WindowTest {
  protected:
    // The window's update rectangle; nothing when it has none.
    static std::optional<RECT> update(HWND hwnd) {
        RECT r;
        return GetUpdateRect(hwnd, &r, FALSE) ? std::optional(r) : std::nullopt;
    }
};

// The union of what was invalidated, clipped to the client area, until
// BeginPaint reports and clears it.
TEST_F(PaintingTest, TheUpdateRectangleIsTheUnionOfWhatWasInvalidatedUntilBeginPaint) {
    HWND main = settledMainWindow();
    EXPECT_EQ(update(main), std::nullopt);
    for (const RECT r : {RECT{10, 10, 20, 20}, RECT{30, 5, 40, 15}}) {
        InvalidateRect(main, &r, FALSE);
    }
    EXPECT_EQ(update(main), (RECT{10, 5, 40, 20}));
    const RECT outside{-50, -50, 15, 12};
    InvalidateRect(main, &outside, FALSE);
    EXPECT_EQ(update(main), (RECT{0, 0, 40, 20}));
    PAINTSTRUCT ps;
    ASSERT_NE(BeginPaint(main, &ps), nullptr);
    EXPECT_EQ(ps.rcPaint, (RECT{0, 0, 40, 20}));
    EXPECT_EQ(update(main), std::nullopt);
    EndPaint(main, &ps);
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
    EXPECT_EQ((std::array{backend.pixelAt(15, 15), backend.pixelAt(19, 19), backend.pixelAt(20, 15),
                          backend.pixelAt(9, 15)}),
              (std::array{kBackground, kBackground, kRed, kRed}));
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
    fillWindow(main, {0, 0, 240, 294}, RGB(0, 0, 255));
    const RECT square{50, 50, 60, 60};
    InvalidateRect(main, &square, FALSE);
    backend.runUntilIdle();
    EXPECT_EQ((std::array{backend.pixelAt(55, 55), backend.pixelAt(60, 55), backend.pixelAt(49, 49)}),
              (std::array{kRed, kBlue, kBlue}));
}

// Invalidating a parent invalidates the children it covers; the parent
// paints the union of what was invalidated first, then the children.
TEST_F(PaintingTest, InvalidatingAParentInvalidatesTheChildrenItCoversWhichPaintAfterIt) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 5, {100, 100, 140, 120});
    HWND elsewhere = createChild(main, u"Recorder", 0, 6, {0, 200, 20, 220});
    backend.runUntilIdle();
    clearReceived();
    const RECT area{90, 110, 110, 130};
    InvalidateRect(main, &area, FALSE);
    EXPECT_EQ(update(child), (RECT{0, 10, 10, 20}));
    EXPECT_EQ(update(elsewhere), std::nullopt);
    const RECT below{0, 225, 5, 230};
    InvalidateRect(main, &below, FALSE);
    EXPECT_EQ(update(elsewhere), (RECT{0, 0, 20, 20}));
    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_PAINT), (std::vector<HWND>{main, child, elsewhere}));
}

// Hidden, a child is not painted, even when it is invalidated itself.
TEST_F(PaintingTest, AHiddenChildIsNotPainted) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 5, {100, 100, 140, 120});
    ShowWindow(child, SW_HIDE);
    InvalidateRect(child, nullptr, FALSE);
    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_PAINT), (std::vector<HWND>{main}));
}

TEST_F(PaintingTest, UpdateWindowPaintsAtOnceWithoutTheQueue) {
    HWND main = settledMainWindow();
    InvalidateRect(main, nullptr, FALSE);
    UpdateWindow(main);
    EXPECT_EQ(received(WM_PAINT).size(), 1u);
    UpdateWindow(main);  // nothing left to paint
    EXPECT_EQ(received(WM_PAINT).size(), 1u);
}

}  // namespace
