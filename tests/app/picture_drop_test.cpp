// A picture dropped on the game becomes a pattern of the player's own.
#include <gtest/gtest.h>

#include <future>
#include <tuple>

#include "app/picture_drop.h"
#include "app/player_patterns.h"
#include "core/control_ids.h"
#include "platform/base/text.h"
#include "platform/controls/list_box.h"
#include "platform/controls/message_box.h"
#include "platform/drawing/cursor.h"
#include "platform/pixels/bmp_decoder.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "tests/support/game_harness.h"
#include "tools/codecs/png_writer.h"
#include "ui/pattern_chooser.h"

namespace {

class PictureDrop : public ::testing::Test {
  protected:
    GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}, {"Tulip.mza", gridPattern(3, 3, 3)}}};

    void SetUp() override {
        for (const char* name : {"Apple.bmp", "MonaLisa.bmp", "Tulip.bmp"}) {
            game.writeThumbnail(name, 10, 10);
        }
        ASSERT_TRUE(game.start());
        game.tapControl(IDC_PALETTE_FIRST);
        game.tapPiece(0);  // the clock runs on the bundled picture
    }
    void TearDown() override {
        if (!released_) {
            release_.set_value();
        }
        usePictureMaker({});
    }
    std::filesystem::path ownFolder() const { return game.root / "data" / "vellumar" / "patterns"; }
    // Four quadrants of four colours.
    std::string writePicture(const std::string& name, bool flat = false) {
        platform::Surface picture(64, 64, 0x204080);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                picture.set(x, y, flat ? 0x204080 : (x < 32 ? 0xE0C020 : 0x30A040) ^ (y < 32 ? 0 : 0xFF));
            }
        }
        const std::string path = (game.root / name).string();
        EXPECT_TRUE(codecs::writePng(picture, path));
        return path;
    }
    void drop(const std::string& path) {
        game.backend.dropFile(path);
        game.backend.runUntilIdle();
    }
    void dropAndWait(const std::string& path) {
        drop(path);
        ASSERT_TRUE(game.backend.waitForPostFromAnyThread(std::chrono::seconds(20)));
        game.backend.runUntilIdle();
    }
    // A maker that holds the worker until the test lets it go.
    void holdTheWorker() {
        std::shared_future<void> go = release_.get_future().share();
        usePictureMaker([go](const std::string&, std::string&, const std::function<void(double)>& progress) {
            go.wait();
            progress(1.0);
            return std::optional(gridPattern(3, 3, 3));
        });
    }
    void letTheWorkerGo() {
        release_.set_value();
        released_ = true;
    }
    std::u16string shortName() const { return appState.settings.CurrentPatternShort; }
    // The pattern being played: its short name, its file, and why it failed to load.
    static std::tuple<std::u16string, std::string, std::string> current() {
        return {appState.settings.CurrentPatternShort,
                platform::utf16ToUtf8(appState.settings.CurrentPattern), appState.pattern->loadError};
    }
    std::tuple<std::u16string, std::string, std::string> own(const std::string& name) const {
        return {platform::utf8ToUtf16(name), (ownFolder() / (name + ".mza")).string(), ""};
    }
    std::u16string lastMessage() const {
        const auto& boxes = game.backend.messageBoxes();
        return boxes.empty() ? u"" : boxes.back().text;
    }

  private:
    std::promise<void> release_;
    bool released_ = false;
};

}  // namespace

TEST_F(PictureDrop, APictureBecomesAPatternOfThePlayersOwnStartedAndListedAmongTheBundledOnes) {
    const std::string picture = writePicture("Holiday.png");
    dropAndWait(picture);
    EXPECT_EQ(current(), own("Holiday"));
    EXPECT_GE(appState.pattern->pieceTotal, 4);
    // The clock waits for the first paint.
    EXPECT_EQ(
        std::tuple(appState.clock.isActive(), appState.clock.remainingSeconds(), platform::currentCursor()),
        std::tuple(false, allowanceFor(appState.pattern->pieceTotal, 1), LoadCursor(nullptr, IDC_ARROW)));
    EXPECT_EQ(game.pixelsAFullRepaintChanges(), 0) << "the screen shows the new pattern";
    const auto thumbnail = platform::decodeBmp(fileBytes(ownFolder() / "Holiday.bmp"));
    ASSERT_TRUE(thumbnail.has_value());
    EXPECT_EQ(thumbnail->width(), 96) << "a square picture fills the box's width";

    dropAndWait(picture);
    EXPECT_EQ(shortName(), u"Holiday 2") << "a name taken gets a number";

    std::vector<std::u16string> entries;
    game.throughChooser(
        [&](HWND dialog) {
            const HWND list = GetDlgItem(dialog, IDC_PATTERN_LIST);
            entries = GameHarness::listEntries(list);
            EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2)
                << "the current one, from the player's folder";
            SendMessage(list, LB_SETCURSEL, 1, 0);
        },
        true);
    EXPECT_EQ(entries,
              (std::vector<std::u16string>{u"Apple", u"Holiday", u"Holiday 2", u"MonaLisa", u"Tulip"}));
    EXPECT_EQ(current(), own("Holiday"));
}

TEST_F(PictureDrop, APictureThatCannotBeMadeIsExplainedAndChangesNothing) {
    game.root.write("notes.png", "shopping list");
    const struct {
        std::string path;
        std::u16string message;
    } cases[] = {
        {(game.root / "notes.png").string(),
         u"No pattern could be made of \"notes.png\": it is not a PNG, JPEG, BMP, GIF or SVG picture."},
        {writePicture("flat.png", true),
         u"No pattern could be made of \"flat.png\": it has a single colour: there is nothing to cut into "
         u"pieces."},
    };
    for (const auto& c : cases) {
        game.backend.answerMessageBoxes({IDOK});
        dropAndWait(c.path);
        EXPECT_EQ(std::tuple(lastMessage(), shortName(), appState.pattern->pieces[0].painted,
                             appState.clock.isActive(), std::filesystem::exists(ownFolder())),
                  std::tuple(c.message, u"MonaLisa", 1, true, false));
    }
}

TEST_F(PictureDrop,
       WhileAPictureIsMadeTheGamePlaysOnUnderTheWaitCursorASecondDropIsRefusedAndItsBoxAnsweredFirst) {
    holdTheWorker();
    drop((game.root / "Beach.png").string());
    EXPECT_EQ(platform::currentCursor(), LoadCursor(nullptr, IDC_WAIT));
    const POINT board = game.patternPixel(8000, 8000);
    game.backend.moveTo(board.x, board.y);
    game.backend.runUntilIdle();
    EXPECT_EQ(platform::currentCursor(), LoadCursor(nullptr, IDC_WAIT)) << "not the board's cross";

    const int remaining = appState.clock.remainingSeconds();
    const platform::Surface before = game.backend.screen();
    game.runFor(3000);
    EXPECT_EQ(appState.clock.remainingSeconds(), remaining - 3);
    EXPECT_GT(differingPixels(before, game.backend.screen()), 0) << "the clock's face is drawn again";
    game.tapPiece(2);
    EXPECT_EQ(appState.pattern->pieces[2].painted, 1);

    // The picture is made while the refusal is open: it waits until the box is answered.
    game.backend.script()
        .call([&] {
            letTheWorkerGo();
            EXPECT_TRUE(game.backend.waitForPostFromAnyThread(std::chrono::seconds(20)));
        })
        .call([&] {
            EXPECT_EQ(shortName(), u"MonaLisa");
            game.backend.answerMessageBoxes({IDOK});
        });
    drop((game.root / "Second.png").string());
    EXPECT_EQ(
        std::tuple(lastMessage(), shortName()),
        std::tuple(u"Vellumar is still making a pattern of \"Beach.png\"; drop \"Second.png\" again once "
                   u"it has started.",
                   u"MonaLisa"));
    game.runFor(kPictureMadeRetryMilliseconds);
    EXPECT_EQ(std::tuple(shortName(), appState.pattern->pieceTotal, platform::currentCursor()),
              std::tuple(u"Beach", 9, LoadCursor(nullptr, IDC_ARROW)));
}

TEST(PlayerPatternNames, ComeFromTheFileNameAndFitTheChooser) {
    const std::u16string emoji = u"\U0001F3D6";  // two UTF-16 units
    const struct {
        std::u16string path, name;
    } cases[] = {
        {u"/photos/Holiday.png", u"Holiday"},
        {u"/photos/archive.tar.gz", u"archive.tar"},
        {u"/photos/.hidden.jpg", u"hidden"},
        {u"/photos/tab\tbed  .svg", u"tabbed"},
        {u"/photos/....png", u"Picture"},
        {u"/photos/" + std::u16string(57, u'a') + emoji + u".png", std::u16string(57, u'a')},
        {u"/photos/" + std::u16string(56, u'a') + emoji + u".png", std::u16string(56, u'a') + emoji},
        {u"/photos/broken\xD800half.png", u"brokenhalf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(patternNameFromFile(c.path), c.name) << platform::utf16ToUtf8(c.path);
    }
}

TEST(PlayerPatternNames, AreUniqueAcrossBothFoldersWhateverTheCase) {
    TempFolder own, bundled;
    own.write("Holiday.mza", "");
    own.write("Holiday 2.bmp", "");
    bundled.write("rose.BMP", "");
    const std::vector<std::u16string> folders{platform::utf8ToUtf16(own.path().string() + "/"),
                                              platform::utf8ToUtf16(bundled.path().string() + "/")};
    EXPECT_EQ(std::tuple(uniquePatternName(u"Holiday", folders), uniquePatternName(u"Rose", folders),
                         uniquePatternName(u"Tulip", folders)),
              std::tuple(u"Holiday 3", u"Rose 2", u"Tulip"));
}
