#include "app/control_states.h"

#include <gtest/gtest.h>

#include "core/control_ids.h"
#include "pattern/painting.h"
#include "platform/windows/window.h"
#include "tests/support/game_harness.h"

namespace {

class ControlStates : public ::testing::Test {
  protected:
    GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}}};
    void SetUp() override { ASSERT_TRUE(game.start()); }

    void expectLevelsAndPause(bool shown, bool enabled) {
        for (int id : {IDC_LEVEL_0, IDC_LEVEL_1, IDC_LEVEL_2}) {
            EXPECT_EQ(game.visible(id), shown) << id;
            EXPECT_EQ(game.enabled(id), enabled) << id;
        }
        EXPECT_EQ(game.visible(IDC_PAUSE), shown);
    }
};

}  // namespace

TEST_F(ControlStates, LevelsFollowTheClockSettingAndTheGameFlags) {
    expectLevelsAndPause(true, true);
    appState.settings.Clock = 0;
    updateControlStates();
    expectLevelsAndPause(false, true);
    appState.settings.clockStarted = 1;
    appState.settings.Clock = 1;
    updateControlStates();
    expectLevelsAndPause(true, false);
    appState.settings.clockStarted = 0;
    appState.settings.paused = 1;
    updateControlStates();
    expectLevelsAndPause(true, false);
}

TEST_F(ControlStates, AFinishedColoursButtonHidesInNormalAndShowsAgainInFree) {
    completePainting(*appState.pattern);
    appState.settings.PaintingMode = 0;
    updatePaletteStates();
    EXPECT_FALSE(game.visible(IDC_PALETTE_FIRST));
    EXPECT_FALSE(game.enabled(IDC_PALETTE_FIRST + 1));
    appState.settings.PaintingMode = 2;
    updatePaletteStates();
    EXPECT_TRUE(game.visible(IDC_PALETTE_FIRST));
    EXPECT_TRUE(game.enabled(IDC_PALETTE_FIRST + 1));
    EXPECT_FALSE(game.visible(IDC_PALETTE_FIRST + 2)) << "buttons beyond the colours are left alone";
}

TEST_F(ControlStates, APatternWithoutColoursLeavesThePaletteAsItWas) {
    appState.pattern = std::make_unique<Pattern>(appState.settings);
    ShowWindow(GetDlgItem(appState.mainWindow, IDC_PALETTE_FIRST + 5), SW_SHOW);
    updatePaletteStates();
    EXPECT_TRUE(game.visible(IDC_PALETTE_FIRST + 5));
    EXPECT_TRUE(game.visible(IDC_PALETTE_FIRST));
}
