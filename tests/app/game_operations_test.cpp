// A game started through its real start-up and played through taps, keys and
// the clock only.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "app/window_title.h"
#include "core/control_ids.h"
#include "pattern/painting.h"
#include "platform/controls/message_box.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"
#include "tests/support/game_harness.h"

namespace {

using Sounds = std::vector<std::string>;

// Four pieces in a 2 x 2 grid, colours 0, 1, 0, 1.
class Play : public ::testing::Test {
  protected:
    GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}}};

    void SetUp() override {
        ASSERT_TRUE(game.start());
        game.takeSounds();
    }
    void pick(int colour) { game.tapControl(IDC_PALETTE_FIRST + colour); }
    Pattern& pattern() { return *appState.pattern; }
    // The prompts so far, the last one's words.
    void expectAsked(std::size_t prompts, std::u16string_view text, std::u16string_view caption) {
        ASSERT_EQ(game.backend.messageBoxes().size(), prompts);
        EXPECT_EQ(game.backend.messageBoxes().back().text, text);
        EXPECT_EQ(game.backend.messageBoxes().back().caption, caption);
    }
};

}  // namespace

TEST_F(Play, AGamePlayedToItsEndSoundsEachTapTitlesTheTimeAndMissesAndStopsTheClock) {
    EXPECT_EQ(appState.mainWindow->text, u"MonaLisa");
    pick(0);
    EXPECT_EQ(std::tuple(appState.tapMode, pattern().selectedColour), std::tuple(TapTool::Paint, 0));
    game.tapPiece(0);
    EXPECT_EQ(std::tuple(pattern().pieces[0].painted, pattern().piecesLeft, game.takeSounds()),
              std::tuple(1, 3, Sounds{"IDR_PALETTE", "IDR_FILL"}));
    game.runFor(4000);
    game.tapPiece(1);
    EXPECT_EQ(std::tuple(pattern().missCount, pattern().pieces[1].painted, game.takeSounds()),
              std::tuple(1, 0, Sounds{"IDR_ERROR"}));
    game.tapPiece(2);
    EXPECT_TRUE(appState.clock.isActive());
    pick(1);
    game.tapPiece(1);
    game.takeSounds();
    game.tapPiece(3);
    EXPECT_EQ(std::tuple(game.takeSounds(), appState.clock.isActive(), pattern().piecesLeft),
              std::tuple(Sounds{"IDR_FILL", "IDR_FINISHCOLOR", "IDR_FINISH"}, false, 0));
    EXPECT_EQ(appState.mainWindow->text, u"MonaLisa: finished in 0:04, 1 miss");
    game.tapControl(IDC_RESTART);
    EXPECT_EQ(appState.mainWindow->text, u"MonaLisa");
}

TEST_F(Play, FinishingAColourHidesItsButtonInNormalAndHintButNotInFree) {
    for (std::uint32_t mode : {0u, 1u, 2u}) {
        SCOPED_TRACE(mode);
        resetPainting(pattern());
        appState.settings.PaintingMode = mode;
        ShowWindow(GetDlgItem(appState.mainWindow, IDC_PALETTE_FIRST), SW_SHOW);
        EnableWindow(GetDlgItem(appState.mainWindow, IDC_PALETTE_FIRST), TRUE);
        pick(0);
        game.tapPiece(0);
        game.takeSounds();
        game.tapPiece(2);
        // A hidden colour's face is plain background: tapping where it was picks nothing.
        const bool free = mode == 2;
        EXPECT_EQ(std::tuple(game.takeSounds(), game.enabled(IDC_PALETTE_FIRST), pattern().selectedColour),
                  free ? std::tuple(Sounds{"IDR_FILL"}, true, 0)
                       : std::tuple(Sounds{"IDR_FILL", "IDR_FINISHCOLOR"}, false, -1));
    }
}

TEST_F(Play, TheFirstPaintTapStartsTheClockWhateverItHits) {
    EXPECT_FALSE(appState.clock.isActive());
    game.tapPiece(0);  // the zoom tool: no start
    EXPECT_FALSE(appState.clock.isActive());
    game.tapControl(IDC_ZOOM_OUT);
    pick(1);
    game.tapPiece(0);  // a miss
    EXPECT_EQ(std::tuple(appState.clock.isActive(), appState.settings.clockStarted), std::tuple(true, 1));
    EXPECT_FALSE(game.enabled(IDC_LEVEL_0)) << "the level is fixed once the clock started";
}

TEST_F(Play, RestartAndCompleteAskOnlyWhenPiecesAreLeftAndNoChangesNothing) {
    pick(0);
    game.tapPiece(0);
    game.backend.answerMessageBoxes({IDNO});
    game.tapControl(IDC_RESTART);
    expectAsked(1, u"Ok to restart pattern?", u"Confirm");
    EXPECT_EQ(pattern().pieces[0].painted, 1);
    EXPECT_TRUE(appState.clock.isActive()) << "No resumes the clock";

    game.backend.answerMessageBoxes({IDNO});
    game.tapControl(IDC_COMPLETE);
    expectAsked(2, u"Ok to finish pattern?", u"Confirm");
    EXPECT_EQ(pattern().piecesLeft, 3);

    game.backend.answerMessageBoxes({IDYES});
    game.takeSounds();
    game.tapControl(IDC_COMPLETE);
    EXPECT_EQ(std::tuple(pattern().piecesLeft, appState.clock.isActive(), game.takeSounds()),
              std::tuple(0, false, Sounds{"IDR_FINISH"}));

    const std::size_t asked = game.backend.messageBoxes().size();
    game.tapControl(IDC_RESTART);  // a finished pattern restarts without a question
    EXPECT_EQ(std::tuple(game.backend.messageBoxes().size(), pattern().piecesLeft, game.takeSounds(),
                         appState.clock.isActive(), game.enabled(IDC_LEVEL_0)),
              std::tuple(asked, 4, Sounds{"IDR_ERASE"}, false, true));
}

TEST_F(Play, PauseTwiceKeepsTheElapsedTime) {
    game.tapControl(IDC_PAUSE);
    EXPECT_EQ(appState.settings.paused, 0) << "nothing to pause before the clock starts";
    pick(0);
    game.tapPiece(0);
    const std::int32_t allowance = appState.clock.allowance;
    game.runFor(5'000);
    game.tapControl(IDC_PAUSE);
    EXPECT_EQ(std::tuple(appState.settings.paused, appState.clock.isActive()), std::tuple(1, false));
    game.runFor(60'000);
    game.tapControl(IDC_PAUSE);
    EXPECT_TRUE(appState.clock.isActive());
    game.runFor(1'000);
    EXPECT_NEAR(appState.clock.remainingSeconds(), allowance - 6, 1);
}

TEST_F(Play, TheClockIsHeldDuringAPromptButRunsOnUnderTheHelp) {
    pick(0);
    game.tapPiece(0);
    const std::int32_t before = appState.clock.remainingSeconds();  // 10 s for four pieces
    // The prompt stays open for 4 s before its answer.
    game.backend.script().wait(4'000).call([&] { game.backend.answerMessageBoxes({IDNO}); });
    game.tapControl(IDC_RESTART);
    game.runFor(200);
    EXPECT_NEAR(appState.clock.remainingSeconds(), before, 1);

    game.backend.script().wait(4'000).tap(10, 100);
    game.tapControl(IDC_HELP);
    game.runFor(200);
    EXPECT_NEAR(appState.clock.remainingSeconds(), before - 4, 1);
}

TEST_F(Play, WithTheTimerOffTheClockStillTimesOut) {
    game.tapControl(IDC_TIMER);
    EXPECT_EQ(std::tuple(appState.settings.Clock, game.visible(IDC_PAUSE), game.visible(IDC_LEVEL_1)),
              std::tuple(0u, false, false));
    pick(0);
    game.tapPiece(0);
    game.takeSounds();
    game.runFor((appState.clock.allowance + 2) * 1000);
    EXPECT_EQ(std::tuple(appState.clock.remainingSeconds(), appState.clock.isActive(), game.takeSounds()),
              std::tuple(0, false, Sounds{"IDR_TIMEDOUT"}));
}

TEST_F(Play, ResetAsksEvenOnAFreshPatternAndStepsTheZoomOutOnce) {
    appState.settings.Level = 2;
    appState.settings.ColorScheme = 3;
    game.tapPiece(0);  // zoom tool: 1.5
    game.tapPiece(0);  // 2.25
    ASSERT_EQ(appState.zoom, 2.25f);
    game.backend.answerMessageBoxes({IDYES});
    game.tapControl(IDC_RESET);
    expectAsked(1, u"Ok to reset program to default settings?", u"Vellumar-Confirm");
    EXPECT_EQ(std::tuple(appState.zoom, appState.settings.Level, appState.settings.ColorScheme),
              std::tuple(1.5f, 1u, 0u));
    EXPECT_EQ(appState.clock.remainingSeconds(), allowanceFor(4, 1))
        << "the clock shows the level's allowance";
}

TEST(GameStart, AFirstRunShowsThePatternsColoursTheDefaultsAndTheLevelsAllowance) {
    GameHarness game{{{"MonaLisa.mza", gridPattern(25, 5, 5)}}};  // 125 pieces in 5 colours
    ASSERT_TRUE(game.start());
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(game.visible(IDC_PALETTE_FIRST + i), i < 5) << i;
    }
    EXPECT_EQ((std::array{game.visible(IDC_HSCROLL), game.visible(IDC_VSCROLL), game.visible(IDC_LEVEL_0),
                          game.enabled(IDC_LEVEL_0)}),
              (std::array{false, false, true, true}));
    // 5:40, then 6:34 at level 0.
    EXPECT_EQ(std::tuple(appState.settings.Level, appState.settings.Sound, appState.clock.remainingSeconds(),
                         appState.clock.isActive()),
              std::tuple(1u, 1u, 340, false));
    game.tapControl(IDC_LEVEL_0);
    EXPECT_EQ(std::tuple(appState.settings.Level, appState.clock.remainingSeconds()), std::tuple(0u, 394));
    game.tapControl(IDC_LEVEL_2);
    EXPECT_EQ((std::array{appState.clock.remainingSeconds(), appState.clock.minutes, appState.clock.seconds}),
              (std::array{300, 5, 0}));
}

TEST(GameClose, CtrlQCloseAndAnOutsideCloseAllSaveTheSettings) {
    const auto closeWith = [&](auto close) {
        GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}}};
        ASSERT_TRUE(game.start());
        appState.settings.ColorScheme = 2;
        close(game);
        EXPECT_FALSE(IsWindow(appState.mainWindow));
        EXPECT_NE(game.settingsFile().find("\"ColorScheme\"=dword:00000002"), std::string::npos)
            << game.settingsFile();
    };
    closeWith([](GameHarness& g) {
        SetFocus(GetDlgItem(appState.mainWindow, IDC_BANNER));  // Ctrl+Q works whatever holds the focus
        g.backend.script().key('Q', platform::MODIFIER_CONTROL);
        EXPECT_EQ(g.runMessageLoop(), 0);
        EXPECT_FALSE(g.backend.scriptExhausted()) << "the loop ended on the quit message";
    });
    closeWith([](GameHarness& g) { g.tapControl(IDC_CLOSE); });
    closeWith([](GameHarness& g) {
        PostMessage(appState.mainWindow, WM_CLOSE, 0, 0);
        g.backend.runUntilIdle();
    });
}

TEST_F(Play, AScreenTurnLaysTheControlsOutAgain) {
    EXPECT_EQ(appState.isPortrait, 1);
    game.backend.changeScreenSize(320, 214);
    game.backend.runUntilIdle();
    EXPECT_EQ(std::tuple(appState.isPortrait, appState.boardRectFull),
              std::tuple(0, BoardRectangle{0, 42, 240, 172}))
        << "the landscape layout's";
}

TEST(WindowTitle, NamesThePictureAndOnceFinishedTheTimeAndTheMisses) {
    // Finished, the seconds it took (none: the clock ran out), the misses, the title.
    const std::tuple<bool, std::optional<int>, int, std::u16string_view> cases[] = {
        {false, 75, 2, u"Tiger"},
        {true, 252, 3, u"Tiger: finished in 4:12, 3 misses"},
        {true, 60, 1, u"Tiger: finished in 1:00, 1 miss"},
        {true, 3725, 0, u"Tiger: finished in 62:05, no misses"},
        {true, std::nullopt, 2, u"Tiger: finished after the clock ran out, 2 misses"},
    };
    for (const auto& [finished, seconds, misses, title] : cases) {
        EXPECT_EQ(pictureTitle(u"Tiger", finished, seconds, misses), title);
    }
}
