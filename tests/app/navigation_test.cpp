// Zoom taps, zoom-out steps, Enter, the arrows and the scroll bars, on the
// running game.
#include <gtest/gtest.h>

#include "core/control_ids.h"
#include "platform/controls/scroll_bar.h"
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
};

}  // namespace

TEST_F(Navigation, AZoomTapNearTheLeftEdgeKeepsTheWindowInsideThePicture) {
    zoomTapAt(-7900, 0);
    EXPECT_EQ(appState.zoom, 1.5f);
    EXPECT_EQ(appState.boardRect, appState.boardRectWithBars);
    EXPECT_TRUE(game.visible(IDC_HSCROLL));
    EXPECT_TRUE(game.visible(IDC_VSCROLL));
    const int half = ((appState.boardRect.width / 2) * view().visibleWidth) / appState.boardRect.width;
    const int left = appState.centreX - half;
    EXPECT_GE(left, -8000);
    EXPECT_LT(left, -8000 + 1) << "flush with the picture's left edge";
    EXPECT_EQ(view().viewCentreX, appState.centreX);
}

TEST_F(Navigation, FiveTapsGiveSevenAndAHalfThreeInAndThreeOutGiveExactlyOne) {
    for (int tap = 0; tap < 5; ++tap) {
        zoomTapAt(0, 0);
    }
    EXPECT_EQ(appState.zoom, 7.59375f);
    for (int step = 0; step < 2; ++step) {
        game.tapControl(IDC_ZOOM_OUT);
    }
    EXPECT_EQ(appState.zoom, 3.375f);
    for (int step = 0; step < 3; ++step) {
        game.tapControl(IDC_ZOOM_OUT);
    }
    EXPECT_EQ(appState.zoom, 1.0f);
    EXPECT_EQ(appState.boardRect, appState.boardRectFull);
    EXPECT_FALSE(game.visible(IDC_HSCROLL));
    EXPECT_FALSE(game.visible(IDC_VSCROLL));
    EXPECT_EQ(appState.centreX, 0);
    EXPECT_EQ(appState.centreY, 0);
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
    EXPECT_TRUE(game.visible(IDC_HSCROLL));
    EXPECT_EQ(appState.boardRect, appState.boardRectWithBars);

    game.tapControl(IDC_ZOOM_OUT);
    zoomTapAt(2000, 2000);
    const int x = appState.centreX, y = appState.centreY;
    game.pressKey(VK_RETURN);
    EXPECT_EQ(appState.zoom, 1.0f);
    EXPECT_FALSE(game.visible(IDC_HSCROLL));
    game.pressKey(VK_RETURN);
    EXPECT_EQ(appState.zoom, 1.5f);
    EXPECT_EQ(appState.centreX, x);
    EXPECT_EQ(appState.centreY, y);
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
    EXPECT_EQ(appState.tapMode, TapTool::Paint);
    game.tapControl(IDC_ZOOM_IN);
    EXPECT_EQ(appState.tapMode, TapTool::Zoom);
    EXPECT_EQ(appState.pattern->selectedColour, 1) << "Zoom In keeps the selection";
    game.tapControl(IDC_ZOOM_OUT);
    EXPECT_EQ(appState.pattern->selectedColour, -1);
}
