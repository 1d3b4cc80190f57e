// A small program written only against the window layer: it draws a square
// where the stylus last touched, moves it with the arrow keys, blinks it with
// a timer and has one owner-drawn button. The screen's pixels tell whether
// it all works together.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/controls/button.h"
#include "platform/drawing.h"
#include "platform/gdi_objects.h"
#include "platform/painting.h"
#include "platform/timers.h"
#include "tests/support/temp_folder.h"
#include "window_test_support.h"

namespace {

constexpr COLORREF kBackground = RGB(110, 87, 158);
constexpr COLORREF kSquare = RGB(255, 255, 255);
constexpr COLORREF kBlink = RGB(255, 200, 0);
constexpr COLORREF kFace = RGB(0, 160, 0);
constexpr COLORREF kPressed = RGB(200, 0, 0);
constexpr int kButton = 1003;

struct Toy {
    POINT square{20, 20};
    bool blinking = false;
    int clicks = 0;
};
Toy toy;

void fill(HDC hdc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

LRESULT toyProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetTimer(hwnd, 1, 500, nullptr);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            fill(ps.hdc, {toy.square.x, toy.square.y, toy.square.x + 10, toy.square.y + 10},
                 toy.blinking ? kBlink : kSquare);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            fill(item->hDC, item->rcItem, (item->itemState & ODS_SELECTED) ? kPressed : kFace);
            return TRUE;
        }
        case WM_LBUTTONDOWN:
            toy.square = {LOWORD(lParam), HIWORD(lParam)};
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_RIGHT) {
                toy.square.x += 10;
                InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case WM_TIMER:
            toy.blinking = !toy.blinking;
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kButton) {
                ++toy.clicks;
            }
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

class DrawingWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        toy = Toy{};
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = toyProcedure;
        windowClass.hbrBackground = CreateSolidBrush(kBackground);
        windowClass.lpszClassName = u"Toy";
        ASSERT_NE(RegisterClass(&windowClass), 0);
        main = CreateWindow(u"Toy", u"Toy", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, 0, nullptr);
        CreateWindow(u"Button", u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 200, 250, 30, 30, main, kButton,
                     nullptr);
        backend.runUntilIdle();
    }

    COLORREF at(int x, int y) { return platform::colourFromPixel(backend.pixelAt(x, y)); }

    platform::HeadlessBackend backend;
    HWND main = nullptr;
};

TEST_F(DrawingWindowTest, DrawsItsSquareOnItsBackground) {
    EXPECT_EQ(at(20, 20), kSquare);
    EXPECT_EQ(at(29, 29), kSquare);
    EXPECT_EQ(at(30, 29), kBackground);
    EXPECT_EQ(at(100, 100), kBackground);
    EXPECT_EQ(at(215, 265), kFace);
}

TEST_F(DrawingWindowTest, TheSquareFollowsTheStylusAndTheKeys) {
    backend.tap(100, 150);
    backend.runUntilIdle();
    EXPECT_EQ(at(105, 155), kSquare);
    EXPECT_EQ(at(25, 25), kBackground);  // erased where it was

    backend.pressKey(VK_RIGHT);
    backend.runUntilIdle();
    EXPECT_EQ(at(105, 155), kBackground);
    EXPECT_EQ(at(115, 155), kSquare);
}

TEST_F(DrawingWindowTest, TheTimerBlinksIt) {
    backend.runFor(499);
    EXPECT_EQ(at(25, 25), kSquare);
    backend.runFor(1);
    EXPECT_EQ(at(25, 25), kBlink);
    backend.runFor(500);
    EXPECT_EQ(at(25, 25), kSquare);
}

TEST_F(DrawingWindowTest, TheButtonShowsItsPressAndCounts) {
    backend.pressAt(210, 260);
    backend.runUntilIdle();
    EXPECT_EQ(at(215, 265), kPressed);
    EXPECT_EQ(toy.clicks, 0);
    backend.releaseAt(210, 260);
    backend.runUntilIdle();
    EXPECT_EQ(at(215, 265), kFace);
    EXPECT_EQ(toy.clicks, 1);
    // The button's face stays inside its rectangle.
    EXPECT_EQ(at(199, 265), kBackground);
    EXPECT_EQ(at(215, 280), kBackground);
}

TEST_F(DrawingWindowTest, TheScreenIsWrittenAsPng) {
    TempFolder folder;
    const auto path = folder / "screen.png";
    ASSERT_TRUE(backend.saveScreen(path.string()));
    std::ifstream in(path, std::ios::binary);
    char signature[8] = {};
    in.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    EXPECT_GT(std::filesystem::file_size(path), 100u);
}

}  // namespace
