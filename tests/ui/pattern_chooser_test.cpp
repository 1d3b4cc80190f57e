// The pattern chooser, opened from the game and answered by taps.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include <sys/stat.h>

#include "core/control_ids.h"
#include "platform/base/text.h"
#include "platform/controls/list_box.h"
#include "platform/controls/message_box.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"
#include "tests/support/game_harness.h"
#include "ui/pattern_chooser.h"

namespace {

class Chooser : public ::testing::Test {
  protected:
    GameHarness game{{{"MonaLisa.mza", gridPattern(2, 2, 2)}, {"Tulip.mza", gridPattern(3, 3, 3)}}};

    void SetUp() override {
        game.writeThumbnail("MonaLisa.bmp", 100, 50);
        game.writeThumbnail("Tulip.bmp", 20, 40);
        game.writeThumbnail("apple.bmp", 10, 10);
        ASSERT_TRUE(game.start());
    }
    // Runs `inside` on the list while the chooser is open, then Open or Cancel.
    void openChooser(std::function<void(HWND list)> inside, bool pressOpen) {
        game.throughChooser([&](HWND dialog) { inside(GetDlgItem(dialog, IDC_PATTERN_LIST)); }, pressOpen);
    }
};

}  // namespace

TEST_F(Chooser, CancelAndReChoosingTheCurrentPatternKeepTheGameAndResumeTheClock) {
    game.tapControl(IDC_PALETTE_FIRST);
    game.tapPiece(0);
    ASSERT_TRUE(appState.clock.isActive());
    bool heldWhileOpen = true;
    openChooser(
        [&](HWND list) {
            heldWhileOpen = !appState.clock.isActive();
            SendMessage(list, LB_SETCURSEL, 2, 0);  // browse to Tulip, then cancel
        },
        false);
    EXPECT_EQ(std::tuple(heldWhileOpen, appState.clock.isActive(), appState.pattern->pieces[0].painted,
                         std::u16string(appState.settings.CurrentPatternShort)),
              std::tuple(true, true, 1, u"MonaLisa"));

    openChooser([](HWND) {}, true);  // Open on the pattern already current: not restarted
    EXPECT_EQ(std::tuple(appState.pattern->pieces[0].painted, appState.clock.isActive()),
              std::tuple(1, true));
}

TEST_F(Chooser, ListsNamesSortedInTheirCaseWithoutLongOnesAndACaseDifferenceSelectsNothing) {
    game.writeThumbnail("Rose.BMP", 10, 10);
    game.writeThumbnail(std::string(64, 'n') + ".bmp", 10, 10);  // too long for an entry
    game.writeThumbnail(std::string(63, 'm') + ".bmp", 10, 10);
    platform::copyToBuffer(appState.settings.CurrentPattern, MAX_PATH,
                           platform::utf8ToUtf16(game.programFolder() + "monalisa.mza"));
    std::vector<std::u16string> entries;
    LRESULT selected = -2;
    openChooser(
        [&](HWND list) {
            entries = GameHarness::listEntries(list);
            selected = SendMessage(list, LB_GETCURSEL, 0, 0);
            SendMessage(list, LB_SETCURSEL, 3, 0);  // Rose, whose pattern file is missing
        },
        true);
    EXPECT_EQ(entries, (std::vector<std::u16string>{u"apple", std::u16string(63, u'm'), u"MonaLisa", u"Rose",
                                                    u"Tulip"}));
    EXPECT_EQ(selected, LB_ERR) << "monalisa.mza is not MonaLisa.mza";
    // A missing pattern file starts an empty board.
    EXPECT_EQ(std::tuple(appState.chooserOpen, std::u16string(appState.settings.CurrentPatternShort),
                         platform::utf16ToUtf8(appState.settings.CurrentPattern),
                         appState.pattern->pieceCount, appState.pattern->loadError),
              std::tuple(0, u"Rose", game.programFolder() + "Rose.mza", 0, "the file cannot be opened"));
}

TEST_F(Chooser, PreselectsExactlyTheCurrentNameAndDrawsAThumbnailFromItsOwnFileName) {
    game.writeThumbnail("Apple.bmp", 10, 10);
    game.writeThumbnail("Rose.BMP", 10, 10);
    for (const char* name : {"apple", "Apple"}) {
        platform::copyToBuffer(appState.settings.CurrentPattern, MAX_PATH,
                               platform::utf8ToUtf16(game.programFolder() + name + ".mza"));
        std::u16string selected;
        openChooser(
            [&](HWND list) {
                selected = GameHarness::listEntries(list).at(SendMessage(list, LB_GETCURSEL, 0, 0));
            },
            false);
        EXPECT_EQ(selected, platform::utf8ToUtf16(name));
    }
    platform::Pixel shown = 0;
    openChooser(
        [&](HWND list) {
            SendMessage(list, LB_SETCURSEL, 4, 0);  // apple, Apple, MonaLisa, Rose
            const HWND picture = GetDlgItem(GetParent(list), IDC_THUMBNAIL);
            InvalidateRect(picture, nullptr, FALSE);
            UpdateWindow(picture);
            const POINT origin = platform::clientOriginOnScreen(picture);
            shown = game.backend.pixelAt(origin.x + picture->clientWidth() / 2,
                                         origin.y + picture->clientHeight() / 2);
        },
        false);
    EXPECT_EQ(shown, 0xC03020u) << "Rose.BMP drawn";
}

// A thumbnail that is a FIFO would block its open forever, a link to an
// endless device would be read without end: neither is drawn, and the
// chooser goes on (a fault here hangs the test).
TEST_F(Chooser, AThumbnailThatIsAFifoOrALinkToADeviceIsNotDrawnAndNeverBlocks) {
    ASSERT_EQ(::mkfifo((game.programFolder() + "Fifo.bmp").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", game.programFolder() + "Zero.bmp");
    std::vector<std::u16string> entries;
    std::vector<platform::Pixel> shown;
    openChooser(
        [&](HWND list) {
            entries = GameHarness::listEntries(list);
            for (const LRESULT index : {1, 4}) {  // apple, Fifo, MonaLisa, Tulip, Zero
                SendMessage(list, LB_SETCURSEL, index, 0);
                const HWND picture = GetDlgItem(GetParent(list), IDC_THUMBNAIL);
                InvalidateRect(picture, nullptr, FALSE);
                UpdateWindow(picture);
                const POINT origin = platform::clientOriginOnScreen(picture);
                shown.push_back(game.backend.pixelAt(origin.x + picture->clientWidth() / 2,
                                                     origin.y + picture->clientHeight() / 2));
            }
        },
        false);
    EXPECT_EQ(entries, (std::vector<std::u16string>{u"apple", u"Fifo", u"MonaLisa", u"Tulip", u"Zero"}));
    EXPECT_EQ(shown.size(), 2u);
    for (const platform::Pixel pixel : shown) {
        EXPECT_NE(pixel, 0xC03020u) << "only the bundled thumbnails are that colour";
    }
}

TEST_F(Chooser, TheListHasTheKeysAndEnterOpensTheEntryChosen) {
    game.backend.script().key(VK_END).key(VK_RETURN);
    game.tapControl(IDC_OPEN);
    EXPECT_EQ(std::u16string(appState.settings.CurrentPatternShort), u"Tulip");
}
