// A picture's progress kept between runs (KeepProgress on).
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <tuple>

#include "app/game_operations.h"
#include "app/kept_progress.h"
#include "app/picture_progress.h"
#include "core/control_ids.h"
#include "platform/base/text.h"
#include "platform/controls/message_box.h"
#include "platform/windows/invalidation.h"
#include "tests/support/game_harness.h"

namespace {

namespace fs = std::filesystem;

// Four pieces in a 2 x 2 grid, colours 0, 1, 0, 1; a second picture beside it.
class KeptProgress : public ::testing::Test {
  protected:
    GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}, {"Tulips.mza", gridPattern(3, 1, 3)}}};

    void SetUp() override {
        game.writeSettings("\"KeepProgress\"=dword:00000001\n");
        ASSERT_TRUE(game.start());
    }
    // Colour 0 finished (pieces 0 and 2), one miss on piece 1, five seconds on the clock.
    void paintHalf() {
        game.tapControl(IDC_LEVEL_0);
        game.tapControl(IDC_PALETTE_FIRST);
        game.tapPiece(0);
        game.runFor(5000);
        game.tapPiece(1);
        game.tapPiece(2);
    }
    fs::path record() const {
        const std::string bytes = game.root.read("Games/MonaLisa.mza");
        return game.progressFolder() /
               progressFileName(pictureKeyOf(std::as_bytes(std::span(bytes.data(), bytes.size()))));
    }
    void open(const std::string& name) {
        platform::copyToBuffer(appState.settings.CurrentPattern, MAX_PATH,
                               platform::utf8ToUtf16(game.programFolder() + name));
        startPattern();
        // As the chooser's closing does: the board is drawn, which brings the view up to date.
        InvalidateRect(appState.mainWindow, nullptr, FALSE);
        game.backend.runUntilIdle();
    }
    std::vector<int> painted() const {
        std::vector<int> pieces;
        for (const Piece& piece : appState.pattern->pieces) {
            pieces.push_back(piece.painted);
        }
        return pieces;
    }
};

}  // namespace

TEST_F(KeptProgress, ClosingHalfPaintedAndStartingAgainBringsThePictureBack) {
    paintHalf();
    ASSERT_TRUE(game.restart());
    EXPECT_EQ(painted(), (std::vector<int>{1, 0, 1, 0}));
    const Pattern& p = *appState.pattern;
    EXPECT_EQ((std::array{p.missCount, p.piecesLeft, p.coloursLeft}), (std::array{1, 2, 1}));
    // The finished colour's button is off; the clock waits for the next paint
    // tap; the level is fixed, as the picture has time on its clock.
    EXPECT_EQ(std::tuple(game.enabled(IDC_PALETTE_FIRST), game.enabled(IDC_PALETTE_FIRST + 1),
                         appState.settings.Level, appState.clock.remainingSeconds(),
                         appState.clock.isActive(), game.enabled(IDC_LEVEL_0)),
              std::tuple(false, true, 0u, allowanceFor(4, 0) - 5, false, false));
    game.tapControl(IDC_PALETTE_FIRST + 1);
    game.tapPiece(1);
    EXPECT_TRUE(appState.clock.isActive());
    game.runFor(2000);
    EXPECT_EQ(appState.clock.remainingSeconds(), allowanceFor(4, 0) - 7);
}

TEST_F(KeptProgress, APictureWhoseTimeRanOutComesBackTimedOut) {
    paintHalf();
    game.runFor(10000);
    ASSERT_EQ(appState.clock.remainingSeconds(), 0);
    ASSERT_TRUE(game.restart());
    game.takeSounds();
    game.tapControl(IDC_PALETTE_FIRST + 1);
    game.tapPiece(1);
    game.runFor(1000);
    EXPECT_EQ(std::tuple(game.takeSounds(), appState.clock.remainingSeconds(), appState.clock.isActive()),
              std::tuple(std::vector<std::string>{"IDR_PALETTE", "IDR_FILL"}, 0, false));
}

TEST_F(KeptProgress, AnotherPictureLeavesItAndTheSameBytesUnderAnotherNameFindIt) {
    paintHalf();
    open("Tulips.mza");
    EXPECT_EQ(std::tuple(appState.pattern->piecesLeft, fs::exists(record())), std::tuple(3, true))
        << "the other picture starts afresh";
    fs::copy_file(game.root / "Games/MonaLisa.mza", game.root / "Games/Moved.mza");
    open("Moved.mza");
    EXPECT_EQ(std::tuple(painted(), appState.pattern->missCount),
              std::tuple(std::vector<int>{1, 0, 1, 0}, 1));
}

TEST_F(KeptProgress, IsSavedEveryThirtySecondsOnlyWhenItChanged) {
    paintHalf();
    game.runFor(kProgressSaveMilliseconds - 6000);
    EXPECT_FALSE(fs::exists(record()));
    game.runFor(1000);
    ASSERT_TRUE(fs::exists(record()));
    const auto written = fs::last_write_time(record());
    fs::last_write_time(record(), written - std::chrono::hours(1));
    game.runFor(kProgressSaveMilliseconds);
    EXPECT_EQ(fs::last_write_time(record()), written - std::chrono::hours(1)) << "nothing new to write";
}

TEST_F(KeptProgress, RestartResetCompleteAndFinishingForgetIt) {
    const std::vector<std::function<void()>> endings = {
        [&] { game.tapControl(IDC_RESTART); },
        [&] { game.tapControl(IDC_RESET); },
        [&] { game.tapControl(IDC_COMPLETE); },
        [&] {
            game.tapControl(IDC_PALETTE_FIRST + 1);
            game.tapPiece(1);
            game.tapPiece(3);
        },
    };
    for (std::size_t i = 0; i < endings.size(); ++i) {
        open("MonaLisa.mza");
        paintHalf();
        game.runFor(kProgressSaveMilliseconds);
        ASSERT_TRUE(fs::exists(record())) << i;
        game.backend.answerMessageBoxes({IDYES});
        endings[i]();
        const bool kept = fs::exists(record());
        game.backend.runUntilIdle();
        open("MonaLisa.mza");
        EXPECT_EQ(std::tuple(kept, appState.pattern->piecesLeft), std::tuple(false, 4)) << i;
    }
}

TEST_F(KeptProgress, ARecordThatDoesNotFitIsKeptAsideAndThePictureStartsAfresh) {
    paintHalf();
    ASSERT_TRUE(game.restart());
    std::ifstream in(record());
    const std::string good{std::istreambuf_iterator<char>(in), {}};
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    for (const std::string& bad :
         {std::string("not a record\n"), good.substr(0, good.size() / 2), replaced("pieces 4", "pieces 5"),
          replaced("painted 00", "painted 07"), replaced("colours-left 1", "colours-left 9"),
          replaced("misses 1", "misses -1"), replaced("colour 0 2", "colour 0 9")}) {
        std::ofstream(record(), std::ios::binary) << bad;
        open("MonaLisa.mza");
        EXPECT_EQ(std::tuple(appState.pattern->piecesLeft, fs::exists(record()),
                             fs::exists(record().string() + ".damaged")),
                  std::tuple(4, false, true))
            << bad;
    }
}

TEST(KeptProgressOff, NothingIsWrittenOrRestored) {
    GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}}};
    ASSERT_TRUE(game.start());
    game.tapControl(IDC_PALETTE_FIRST);
    game.tapPiece(0);
    game.runFor(kProgressSaveMilliseconds);
    ASSERT_TRUE(game.restart());
    EXPECT_EQ(std::tuple(appState.pattern->piecesLeft, fs::exists(game.progressFolder())),
              std::tuple(4, false));
}

TEST(ProgressRecord, EveryDamagedLineOrCutIsRefused) {
    PictureProgress p;
    p.key = {0x0123456789abcdefu, 99};
    p.piecesLeftPerColour = {0, 2};
    p.paintedColour = {0, kUnpainted, 1, kUnpainted};
    const std::string text = formatProgress(p);
    ASSERT_TRUE(parseProgress(text));
    EXPECT_EQ(formatProgress(*parseProgress(text)), text);
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        EXPECT_FALSE(parseProgress(text.substr(0, cut))) << cut;
        if (text[cut] != '\n') {
            std::string damaged = text;
            damaged[cut] = damaged[cut] == 'z' ? 'y' : 'z';
            EXPECT_FALSE(parseProgress(damaged)) << damaged;
        }
    }
}
