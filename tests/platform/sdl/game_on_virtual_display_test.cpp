// The real game on the desktop backend, played like a user would on a display
// of its own, closed with Ctrl+Q, and its settings file read afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <fstream>
#include <thread>

#include "bench/generated_pattern.h"
#include "core/control_ids.h"
#include "tests/platform/sdl/desktop_session.h"
#include "ui/screen_layout.h"

namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kPurple = 0x6E579E;

class GameOnVirtualDisplay : public DesktopSession {
  protected:
    // Starts the game and finds its window, whose client area is k times 240 x 294.
    std::unique_ptr<ChildProcess> startGame(const std::vector<std::string>& argv = {VELLUMAR_GAME}) {
        auto game = ChildProcess::start(argv);
        EXPECT_TRUE(game);
        if (game) {
            findWindow(*game);
            std::tie(width_, height_) = geometry();
            EXPECT_GT(width_, 0);
            layout_ = computeLayout(width_, height_, kToolbarBitmapSizes);
        }
        return game;
    }
    void clickControl(int id) {
        const ControlPlacement* p = layout_.find(id);
        ASSERT_NE(p, nullptr);
        clickAt(p->left + p->width / 2, p->top + p->height / 2);
    }
    // Waits until a patch of the board is (or is not) mostly black.
    bool boardTurns(bool black) {
        const BoardRectangle& board = layout_.boardRectFull;
        return photographUntil([&](const XwdImage& picture) {
                   int blackPixels = 0;
                   for (int dy = 0; dy < 10; ++dy) {
                       for (int dx = 0; dx < 10; ++dx) {
                           blackPixels += picture.at(board.left + board.width / 3 + dx,
                                                     board.top + board.height / 3 + dy) == 0;
                       }
                   }
                   return (blackPixels >= 50) == black;
               })
            .has_value();
    }
    // Clicks Color Schemes once the board is drawn, and waits until it shows
    // the black scheme, so the game has the setting before what follows.
    void switchToTheBlackScheme() {
        ASSERT_TRUE(boardTurns(false)) << "the board was never drawn";
        clickControl(IDC_COLOR_SCHEME);
        ASSERT_TRUE(boardTurns(true)) << "the board never turned black";
    }
    std::string storedSettings() const { return folder_.read("config/vellumar/registry.reg"); }
    // The game may be gone before xdotool sends the keys' release, which it
    // then reports as an error: the game's exit code is what tells.
    void closeWithCtrlQ(ChildProcess& game) {
        xdotool("key --window " + window_ + " ctrl+q");
        EXPECT_EQ(game.waitForExit(kPatience), 0);
    }

    int width_ = 0;
    int height_ = 0;
    ScreenLayout layout_;
};

}  // namespace

TEST_F(GameOnVirtualDisplay, AResizeSnapsToAWholeMultipleAndF11FitsOneIntoTheWholeDisplay) {
    // Full screen is the window manager's to grant.
    auto manager = ChildProcess::start({"openbox", "--sm-disable"});
    ASSERT_TRUE(manager) << "openbox is missing (scripts/install-deps.sh installs it)";
    std::this_thread::sleep_for(500ms);
    auto game = startGame();
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(xdotool("windowsize " + window_ + " 1000 700").exitCode, 0);
    EXPECT_TRUE(eventually([&] { return geometry() == std::pair(960, 642); }))
        << "3 x 320 x 214, the nearest landscape multiple";
    EXPECT_EQ(xdotool("key --window " + window_ + " F11").exitCode, 0);
    ASSERT_TRUE(eventually([&] { return geometry() == std::pair(1280, 1024); })) << "full screen";
    // 4 x 320 x 214 = 1280 x 856, centred: 84 lines of the window's purple above and below.
    const auto picture = photographUntil([](const XwdImage& p) {
        return p.height == 1024 && p.at(100, 40) == kPurple && p.at(100, 1003) == kPurple;
    });
    ASSERT_TRUE(picture);
    const BoardRectangle board = computeLayout(1280, 856, kToolbarBitmapSizes).boardRectFull;
    EXPECT_NE(picture->at(board.left + board.width / 2, 84 + board.top + board.height / 2), kPurple)
        << "the picture on the board";
    closeWithCtrlQ(*game);  // xdotool may report the window manager's errors
}

// A second start leaves the first running, its window the only one, and ends with zero.
TEST_F(GameOnVirtualDisplay, ASecondStartLeavesTheFirstAndEndsWithZero) {
    auto game = startGame();
    ASSERT_FALSE(HasFailure());
    auto second = ChildProcess::start({VELLUMAR_GAME});
    ASSERT_TRUE(second);
    EXPECT_EQ(second->waitForExit(kPatience), 0);
    EXPECT_EQ(xdotool("search --onlyvisible --name 'Vellumar|MonaLisa'").out, window_ + "\n");
    closeWithCtrlQ(*game);
}

TEST_F(GameOnVirtualDisplay, WithoutTheDefaultPatternAMessageWindowSaysSoAndTheGameEnds) {
    const std::filesystem::path lonely = folder_ / "lonely" / "vellumar";
    std::filesystem::create_directories(lonely.parent_path());
    std::filesystem::copy_file(VELLUMAR_GAME, lonely);
    auto game = ChildProcess::start({lonely.string()});
    ASSERT_TRUE(game);
    // SDL's message box is a window of its own, named by its caption.
    std::string window;
    EXPECT_TRUE(eventually([&] {
        const std::string info = run("xwininfo -name Warning").out;
        const std::size_t id = info.find("Window id: ");
        window = id == std::string::npos ? "" : info.substr(id + 11, info.find(' ', id + 11) - id - 11);
        return !window.empty();
    })) << "no message window on the display";
    xdotool("key --window " + window + " Return");
    EXPECT_EQ(game->waitForExit(kPatience), 0);
}

// A signal that asks the game to end, and the loss of its display, close it
// as Close does: the settings are saved.
TEST_F(GameOnVirtualDisplay, SignalsAndTheLossOfTheDisplayEndTheGameWithItsSettingsSaved) {
    const struct {
        const char* name;
        int signal;  // 0: the X server ends
        int exitCode;
    } cases[] = {{"SIGTERM", SIGTERM, 0},
                 {"SIGINT", SIGINT, 0},
                 {"SIGHUP", SIGHUP, 0},
                 {"SIGQUIT", SIGQUIT, 128 + SIGQUIT},
                 {"the display is lost", 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder_ / "config");
        auto game = startGame();
        ASSERT_FALSE(HasFailure());
        switchToTheBlackScheme();
        c.signal != 0 ? game->signal(c.signal) : stopDisplay();
        EXPECT_EQ(game->waitForExit(kPatience), c.exitCode);
        EXPECT_NE(storedSettings().find("\"ColorScheme\"=dword:00000001"), std::string::npos)
            << storedSettings();
    }
}

// Whatever the current pattern is (a file too heavy to draw, damaged bytes, a
// FIFO, a link to an endless device, a folder) and however damaged the
// settings, the game shows its window and closes on Ctrl+Q.
TEST_F(GameOnVirtualDisplay, SurvivesHostileFilesAsItsCurrentPattern) {
    const std::filesystem::path hostile = folder_ / "hostile.mza";
    const struct {
        const char* name;
        std::function<void()> make;
        const char* settings;  // after the CurrentPattern line
    } cases[] = {
        {"too heavy to draw",
         [&] { writeBytesTo(hostile, serializePatternFile(generateZigzagPattern(181, 44000, 16000))); }, ""},
        {"damaged bytes", [&] { std::ofstream(hostile) << std::string(300, '\xff'); },
         "\"Level\"=dword:zz\n\"ColorScheme\"=hex(4):ff,ff,ff,ff\ngarbage\n"},
        {"a FIFO", [&] { ::mkfifo(hostile.c_str(), 0600); }, ""},
        {"a link to /dev/zero", [&] { std::filesystem::create_symlink("/dev/zero", hostile); }, ""},
        {"a folder", [&] { std::filesystem::create_directory(hostile); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(hostile);
        std::filesystem::remove_all(folder_ / "config");
        c.make();
        std::filesystem::create_directories(folder_ / "config/vellumar");
        std::ofstream(folder_ / "config/vellumar/registry.reg")
            << "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n\"CurrentPattern\"=\"" << hostile.string()
            << "\"\n\"CurrentPatternShort\"=\"hostile\"\n"
            << c.settings;
        auto game = startGame();
        ASSERT_FALSE(HasFailure());
        closeWithCtrlQ(*game);
    }
}
