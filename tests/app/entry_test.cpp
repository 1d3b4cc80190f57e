// The game started through its real start-up on the headless screen.
#include <gtest/gtest.h>

#include <array>

#include "app/control_ids.h"
#include "pattern/painting.h"
#include "platform/window.h"
#include "tests/support/game_harness.h"

namespace {

// 125 pieces in 5 colours: 25 columns of 5 rows.
std::map<std::string, PatternFile> oneHundredTwentyFive() {
    return {{"MonaLisa.mza", gridPattern(25, 5, 5)}};
}

}  // namespace

TEST(GameStart, AFirstRunStartsWithTheDefaultsAndTheClockAtTheLevelsAllowance) {
    GameHarness game(oneHundredTwentyFive());
    ASSERT_TRUE(game.start());
    EXPECT_EQ((std::array{appState.settings.Level, appState.settings.Sound}), (std::array{1u, 1u}));
    EXPECT_EQ(appState.pattern->pieceTotal, 125);
    EXPECT_EQ(appState.clock.remainingSeconds(), 340) << "5:40";
    EXPECT_FALSE(appState.clock.isActive());
    game.tapControl(IDC_LEVEL_0);
    EXPECT_EQ(appState.settings.Level, 0u);
    EXPECT_EQ(appState.clock.remainingSeconds(), 394) << "6:34";
    game.tapControl(IDC_LEVEL_2);
    EXPECT_EQ((std::array{appState.clock.remainingSeconds(), appState.clock.minutes, appState.clock.seconds}),
              (std::array{300, 5, 0}));
}

TEST(GameStart, PaletteButtonsAreShownForThePatternsColoursOnly) {
    GameHarness game({{"MonaLisa.mza", gridPattern(4, 5, 20)}});
    ASSERT_TRUE(game.start());
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(game.visible(IDC_PALETTE_FIRST + i), i < 20) << i;
    }
    EXPECT_EQ((std::array{game.visible(IDC_HSCROLL), game.visible(IDC_VSCROLL), game.visible(IDC_LEVEL_0),
                          game.enabled(IDC_LEVEL_0)}),
              (std::array{false, false, true, true}));
}
