// What the screen shows after commands, dialogs and prompts: each walk ends
// with a screen that a full repaint would not change, the keyboard focus on
// the main window and the game's state brought up to date. Every toolbar
// command (help, pause, the prompts answered Yes) is walked in the table of
// EveryToolbarCommandTwice; the first test keeps the walks it does not make.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "core/control_ids.h"
#include "platform/controls/list_box.h"
#include "platform/controls/message_box.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/resource_images.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "tests/support/game_harness.h"
#include "ui/help_screen.h"
#include "ui/pattern_chooser.h"

namespace {

class ScreenUpdate : public ::testing::Test {
  protected:
    GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}, {"Tulip.mza", gridPattern(3, 3, 3)}}};

    void SetUp() override {
        game.writeThumbnail("MonaLisa.bmp", 30, 20);
        game.writeThumbnail("Tulip.bmp", 20, 30);
        ASSERT_TRUE(game.start());
    }
    void startTheClock() {
        game.tapControl(IDC_PALETTE_FIRST);
        game.tapPiece(0);
    }
    void openTulip() {
        game.throughChooser(
            [](HWND dialog) { SendMessage(GetDlgItem(dialog, IDC_PATTERN_LIST), LB_SETCURSEL, 1, 0); }, true);
    }
    void expectUpToDate(const std::string& after) {
        EXPECT_EQ(GetFocus(), appState.mainWindow) << "the keys reach the game after " << after;
        EXPECT_EQ(game.pixelsAFullRepaintChanges(), 0) << "the screen is up to date after " << after;
    }
};

}  // namespace

TEST_F(ScreenUpdate, AfterEveryDialogPromptAndOtherPatternTheScreenAndTheFocusAreUpToDate) {
    const std::vector<std::pair<std::string, std::function<void()>>> walks = {
        {"Open on another pattern", [&] { openTulip(); }},
        {"Cancel after a screen turn painted under the chooser",
         [&] {
             game.backend.script().call([&] { game.backend.changeScreenSize(320, 214); }).call([] {
                 SendMessage(appState.chooserWindow, WM_COMMAND, IDCANCEL, 0);
             });
             game.tapControl(IDC_OPEN);
         }},
        {"a prompt answered No",
         [&] {
             startTheClock();
             game.backend.answerMessageBoxes({IDNO});
             game.tapControl(IDC_RESTART);
         }},
        {"taps on the banner, the status panel and the name",
         [&] {
             for (int id : {IDC_BANNER, IDC_STATUS, IDC_PATTERN_NAME}) {
                 game.tapControl(id);
             }
         }},
    };
    for (const auto& [name, walk] : walks) {
        walk();
        expectUpToDate(name);
    }
}

TEST_F(ScreenUpdate, AnotherPatternStartsWithItsAllowanceTheLevelCanBeChosenAndTheFirstTapPaints) {
    startTheClock();
    ASSERT_FALSE(game.enabled(IDC_LEVEL_0));
    openTulip();
    EXPECT_EQ(std::tuple(std::u16string(appState.settings.CurrentPatternShort), appState.pattern->pieceTotal,
                         appState.clock.isActive(), appState.clock.remainingSeconds()),
              std::tuple(u"Tulip", 9, false, allowanceFor(9, 1)));
    EXPECT_TRUE(game.visible(IDC_PALETTE_FIRST) && game.visible(IDC_PALETTE_FIRST + 1) &&
                game.visible(IDC_PALETTE_FIRST + 2));
    game.tapControl(IDC_LEVEL_0);
    EXPECT_EQ(appState.settings.Level, 0u);
    game.tapControl(IDC_PALETTE_FIRST);
    game.tapPiece(0);
    EXPECT_EQ(std::tuple(appState.pattern->pieces[0].painted, appState.pattern->missCount), std::tuple(1, 0));
}

TEST_F(ScreenUpdate, EveryToolbarCommandTwiceLeavesTheScreenAsAFullRepaintDrawsIt) {
    startTheClock();
    for (int id : {IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_SOUND, IDC_TIMER, IDC_PAUSE, IDC_RESTART, IDC_COMPLETE,
                   IDC_COLOR_SCHEME, IDC_PAINTING_MODE, IDC_LEVEL_2, IDC_RESET, IDC_HELP, IDC_OPEN}) {
        for (int time = 0; time < 2; ++time) {
            game.backend.answerMessageBoxes({IDYES});
            if (id == IDC_HELP) {
                game.backend.script().tap(10, 100);
            } else if (id == IDC_OPEN) {
                game.backend.script().call(
                    [] { SendMessage(appState.chooserWindow, WM_COMMAND, IDCANCEL, 0); });
            }
            game.tapControl(id);
            expectUpToDate("command " + std::to_string(id) + " #" + std::to_string(time + 1));
        }
    }
}

TEST(FinishedPicture, CarriesNoLeftoversOfTheQuickRedraw) {
    // Two pieces side by side; the second one's number sits on their shared
    // edge, half of it over the first piece.
    PatternFile file = gridPattern(2, 1, 1);
    file.pieces[1].labelX = 8000;
    GameHarness game{{{"MonaLisa.mza", file}}};
    ASSERT_TRUE(game.start());
    game.tapControl(IDC_PALETTE_FIRST);
    game.tapPiece(0);
    game.tapPiece(1);
    ASSERT_EQ(appState.pattern->piecesLeft, 0);
    EXPECT_EQ(game.pixelsAFullRepaintChanges(), 0);
}

TEST_F(ScreenUpdate, TheHelpChartCoversTheWholeScreenPixelForPixelInLandscape) {
    game.backend.changeScreenSize(320, 214);
    game.backend.runUntilIdle();
    int differing = -1;
    BOOL paintAnswer = TRUE;
    game.backend.script()
        .call([&] {
            const HBITMAP chart = LoadBitmap(appState.instance, kLandscapeChart);
            differing = differingPixels(game.backend.screen(), platform::bitmapSurface(chart));
            paintAnswer = helpDialogProc(FindWindow(u"#32770", u"Help"), WM_PAINT, 0, 0);
        })
        .tap(10, 100);
    game.tapControl(IDC_HELP);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(paintAnswer, FALSE);
}
