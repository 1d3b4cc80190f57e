// Zoom taps, zoom-out steps, Enter, the arrows and the scroll bars, and on
// the desktop the wheel, drags and + and -, on the running game.
#include <gtest/gtest.h>

#include <array>

#include "app/navigation.h"
#include "core/control_ids.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "tests/support/game_harness.h"

namespace {

class Navigation : public ::testing::Test {
  protected:
    GameHarness game{{{"MonaLisa.mza", gridPattern(8, 8, 4)}}};

    void SetUp() override { ASSERT_TRUE(game.start()); }
    const ViewTransform& view() { return appState.pattern->viewTransform; }
    void zoomTapAt(int x, int y) { game.tapPattern(x, y); }
    void zoomOut(int steps) {
        for (int step = 0; step < steps; ++step) {
            game.tapControl(IDC_ZOOM_OUT);
        }
    }
    static POINT centre() { return {appState.centreX, appState.centreY}; }
    // The bars' visibility, and whether the board gave them room.
    std::array<bool, 3> bars() {
        return {game.visible(IDC_HSCROLL), game.visible(IDC_VSCROLL),
                appState.boardRect == appState.boardRectWithBars};
    }
};

}  // namespace

TEST_F(Navigation, AZoomTapNearTheLeftEdgeKeepsTheWindowInsideThePicture) {
    zoomTapAt(-7900, 0);
    EXPECT_EQ(appState.zoom, 1.5f);
    EXPECT_EQ(bars(), (std::array{true, true, true}));
    const int half = ((appState.boardRect.width / 2) * view().visibleWidth) / appState.boardRect.width;
    EXPECT_EQ(appState.centreX - half, -8000) << "flush with the picture's left edge";
    EXPECT_EQ(view().viewCentreX, appState.centreX);
}

TEST_F(Navigation, FiveTapsGiveSevenAndAHalfThreeInAndThreeOutGiveExactlyOne) {
    for (int tap = 0; tap < 5; ++tap) {
        zoomTapAt(0, 0);
    }
    EXPECT_EQ(appState.zoom, 7.59375f);
    zoomOut(2);
    EXPECT_EQ(appState.zoom, 3.375f);
    zoomOut(3);
    EXPECT_EQ(appState.zoom, 1.0f);
    EXPECT_EQ(appState.boardRect, appState.boardRectFull);
    EXPECT_EQ(bars(), (std::array{false, false, false}));
    EXPECT_EQ(centre(), (POINT{0, 0}));
}

TEST_F(Navigation, ArrowsDoNothingAtZoomOneAndMoveHalfAPageWhenZoomed) {
    game.pressKey(VK_DOWN);
    EXPECT_EQ(appState.centreY, 0);
    zoomTapAt(0, -7900);  // the window starts at the picture's top, with room below
    const int before = appState.centreY;
    const int page = static_cast<int>(appState.vertScrollInfo.nPage);
    game.pressKey(VK_DOWN);
    EXPECT_EQ(appState.centreY, before + page / 2);
    // The next step would take the window's bottom past the picture's: it
    // stops flush with it (the keys keep the far edge inside).
    game.pressKey(VK_DOWN);
    EXPECT_EQ(appState.centreY - page / 2 + page, view().extentHeightUnits / 2);
    game.pressKey(VK_LEFT);
    EXPECT_LT(appState.centreX, 0);
}

TEST_F(Navigation, ADraggedThumbDoesNothingUntilItIsLetGo) {
    zoomTapAt(0, 0);
    const HWND bar = GetDlgItem(appState.mainWindow, IDC_HSCROLL);
    const int extent = view().extentWidthUnits;
    SendMessage(appState.mainWindow, WM_HSCROLL,
                MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(extent / 2 + 2000)),
                reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(appState.centreX, 0);
    SendMessage(appState.mainWindow, WM_HSCROLL,
                MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(extent / 2 + 2000)),
                reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(appState.centreX, 2000 + view().visibleWidth / 2);
}

TEST_F(Navigation, EnterAtTheStartShowsTheBarsAtZoomOneAndTogglesAZoomedView) {
    game.pressKey(VK_RETURN);
    EXPECT_EQ(appState.zoom, 1.0f);
    EXPECT_EQ(bars(), (std::array{true, true, true}));

    game.tapControl(IDC_ZOOM_OUT);
    zoomTapAt(2000, 2000);
    const POINT zoomed = centre();
    game.pressKey(VK_RETURN);
    EXPECT_EQ(appState.zoom, 1.0f);
    EXPECT_FALSE(game.visible(IDC_HSCROLL));
    game.pressKey(VK_RETURN);
    EXPECT_EQ(appState.zoom, 1.5f);
    EXPECT_EQ(centre(), zoomed);
}

TEST_F(Navigation, AZoomOutStepThatStaysZoomedKeepsTheWindowInsideAndRefreshesTheBars) {
    zoomTapAt(7000, 7000);
    zoomTapAt(7900, 7900);
    zoomTapAt(7950, 7950);
    const int before = appState.centreX;
    game.tapControl(IDC_ZOOM_OUT);
    EXPECT_EQ(appState.zoom, 2.25f);
    const int half = ((appState.boardRect.width / 2) * view().visibleWidth) / appState.boardRect.width;
    EXPECT_LE(appState.centreX + half, 8000) << "the larger window was pulled back inside";
    EXPECT_LT(appState.centreX, before);
    EXPECT_EQ(static_cast<int>(appState.horzScrollInfo.nPage), view().visibleWidth);
}

TEST_F(Navigation, ThePaletteSelectionGoesWithAZoomOutStep) {
    game.tapControl(IDC_PALETTE_FIRST + 1);
    game.tapControl(IDC_ZOOM_IN);
    EXPECT_EQ(std::tuple(appState.tapMode, appState.pattern->selectedColour), std::tuple(TapTool::Zoom, 1))
        << "Zoom In keeps the selection";
    game.tapControl(IDC_ZOOM_OUT);
    EXPECT_EQ(appState.pattern->selectedColour, -1);
}

namespace {

using platform::OtherButton;

// The wheel, a drag with the right or middle button, and + and -: they move
// the view as the handheld's zoom tap and arrow keys do, and leave the tool
// and the colour alone.
class DesktopNavigation : public Navigation {
  protected:
    void wheelAt(POINT at, int delta) {
        game.backend.turnWheel(at.x, at.y, delta);
        game.backend.runUntilIdle();
    }
    void dragBy(OtherButton button, POINT from, int dx, int dy) {
        game.backend.pressOtherAt(from.x, from.y, button);
        game.backend.moveTo(from.x + dx / 2, from.y + dy / 2);
        game.backend.moveTo(from.x + dx, from.y + dy);
        game.backend.releaseOtherAt(from.x + dx, from.y + dy);
        game.backend.moveTo(from.x, from.y);  // after the release: nothing
        game.backend.runUntilIdle();
    }
    POINT boardCentre() const {
        const BoardRectangle& b = appState.boardRect;
        return {b.left + b.width / 2, b.top + b.height / 2};
    }
    void expectPaintingColour(int colour) {
        EXPECT_EQ(std::tuple(appState.tapMode, appState.pattern->selectedColour),
                  std::tuple(TapTool::Paint, colour));
    }
    void expectBarsFollow() {
        SCROLLINFO h{};
        h.fMask = SIF_POS;
        SCROLLINFO v = h;
        GetScrollInfo(GetDlgItem(appState.mainWindow, IDC_HSCROLL), SB_CTL, &h);
        GetScrollInfo(GetDlgItem(appState.mainWindow, IDC_VSCROLL), SB_CTL, &v);
        EXPECT_EQ((POINT{h.nPos, v.nPos}), (POINT{appState.centreX - view().visibleWidth / 2,
                                                  appState.centreY - view().visibleHeight / 2}));
    }
};

}  // namespace

TEST_F(DesktopNavigation, TheWheelZoomsAsAZoomTapThereWouldAndKeepsTheColour) {
    for (const POINT at : {POINT{-7900, 0}, POINT{0, 0}, POINT{5000, -6000}}) {
        game.tapControl(IDC_PALETTE_FIRST + 2);
        wheelAt(game.patternPixel(at.x, at.y), WHEEL_DELTA / 2);
        EXPECT_EQ(appState.zoom, 1.0f) << "half a notch is not a step yet";
        const POINT pixel = game.patternPixel(at.x, at.y);
        wheelAt(pixel, WHEEL_DELTA / 2);
        ASSERT_EQ(appState.zoom, 1.5f);
        expectPaintingColour(2);
        const POINT wheeled = centre();
        wheelAt(pixel, -WHEEL_DELTA);
        EXPECT_EQ(appState.zoom, 1.0f);
        EXPECT_FALSE(game.visible(IDC_HSCROLL));
        expectPaintingColour(2);

        game.tapControl(IDC_ZOOM_IN);
        game.tapWindow(pixel.x, pixel.y);
        EXPECT_EQ(centre(), wheeled) << at.x << "," << at.y;
        game.tapControl(IDC_ZOOM_OUT);
    }
}

TEST_F(DesktopNavigation, ARightOrMiddleDragPansWithinTheArrowKeysBounds) {
    for (const OtherButton button : {OtherButton::Right, OtherButton::Middle}) {
        while (appState.zoom != 1.0f) {
            game.tapControl(IDC_ZOOM_OUT);
        }
        dragBy(button, boardCentre(), 30, 20);
        EXPECT_EQ(appState.centreX, 0) << "the whole picture has nowhere to go";
        game.tapPattern(0, 0);
        game.tapPattern(0, 0);
        game.tapControl(IDC_PALETTE_FIRST + 1);

        POINT grabbed{};
        ASSERT_TRUE(boardPointToPattern(boardCentre().x, boardCentre().y, grabbed));
        dragBy(button, boardCentre(), 30, 20);
        POINT under{};
        ASSERT_TRUE(boardPointToPattern(boardCentre().x + 30, boardCentre().y + 20, under));
        const int unitsPerPixel = view().visibleWidth / appState.boardRect.width + 1;
        EXPECT_LE(std::max(std::abs(under.x - grabbed.x), std::abs(under.y - grabbed.y)), unitsPerPixel)
            << "the picture follows the pointer";
        expectBarsFollow();
        expectPaintingColour(1);

        dragBy(button, boardCentre(), -4000, -4000);
        const POINT dragged = centre();
        expectBarsFollow();
        for (int press = 0; press < 8; ++press) {
            game.pressKey(VK_RIGHT);
            game.pressKey(VK_DOWN);
        }
        EXPECT_EQ(centre(), dragged) << "the far edges, as the arrows";
        dragBy(button, boardCentre(), 4000, 4000);
        const POINT back = centre();
        for (int press = 0; press < 8; ++press) {
            game.pressKey(VK_LEFT);
            game.pressKey(VK_UP);
        }
        EXPECT_EQ(centre(), back) << "the near edges, as the arrows";
    }
}

TEST_F(DesktopNavigation, PlusAndMinusZoomAtTheViewsCentreAndKeepTheColour) {
    game.tapControl(IDC_PALETTE_FIRST + 3);
    for (const UINT plus : {VK_OEM_PLUS, VK_ADD}) {
        game.pressKey(VK_LEFT);
        const POINT before = centre();
        const float zoom = appState.zoom;
        game.pressKey(plus);
        EXPECT_EQ(appState.zoom, zoom * 1.5f);
        EXPECT_EQ(centre(), before);
    }
    for (const UINT minus : {VK_OEM_MINUS, VK_SUBTRACT}) {
        game.pressKey(minus);
        expectPaintingColour(3);
    }
    EXPECT_EQ(appState.zoom, 1.0f);
    EXPECT_EQ(appState.boardRect, appState.boardRectFull);
}
