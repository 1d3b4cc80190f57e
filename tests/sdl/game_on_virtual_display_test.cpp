// The real game on the desktop backend, played like a user would: on an X
// server of its own, clicked with xdotool, photographed with xwd, closed with
// Ctrl+Q, and its settings file read afterwards.
#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "core/control_ids.h"
#include "core/settings.h"
#include "bench/generated_pattern.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/base/text.h"
#include "platform/headless/headless_backend.h"
#include "tests/sdl/child_process.h"
#include "tests/sdl/virtual_display.h"
#include "tests/sdl/xwd_image.h"
#include "tests/support/temp_folder.h"
#include "ui/screen_layout.h"

namespace {

using namespace std::chrono_literals;
using testing_support::ChildProcess;
using testing_support::runCommand;
using testing_support::VirtualDisplay;
using testing_support::XwdImage;

constexpr auto kPatience = 15s;

class GameOnVirtualDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        display_ = VirtualDisplay::start(1280, 1024, &why);
        if (!display_) {
            GTEST_SKIP() << "Xvfb cannot start here (" << why << "); the game needs an X display";
        }
        environment_ = {{"DISPLAY", display_->name()},
                        {"SDL_VIDEODRIVER", "x11"},
                        {"SDL_AUDIODRIVER", "dummy"},
                        {"XDG_RUNTIME_DIR", (folder_ / "runtime").string()},
                        {"XDG_CONFIG_HOME", (folder_ / "config").string()},
                        {"XDG_DATA_HOME", (folder_ / "data").string()},
                        testing_support::leaksReportedOnly()};
        std::filesystem::create_directories(folder_ / "runtime");
    }

    testing_support::CommandResult xdotool(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "xdotool");
        return runCommand(arguments, environment_, kPatience);
    }

    // The window and its scale: the client area is k times 240 x 294.
    void findWindow(const ChildProcess& game) {
        const auto found =
            xdotool({"search", "--sync", "--onlyvisible", "--pid", std::to_string(game.pid())}).output;
        window_ = found.substr(0, found.find('\n'));
        ASSERT_FALSE(window_.empty()) << "no window of the game's on the display";
        std::tie(width_, height_) = geometry();
        ASSERT_GT(width_, 0);
        layout_ = computeLayout(width_, height_, kToolbarBitmapSizes);
    }

    // The window's client size.
    std::pair<int, int> geometry() {
        std::istringstream shell(xdotool({"getwindowgeometry", "--shell", window_}).output);
        std::pair<int, int> size;
        for (std::string line; std::getline(shell, line);) {
            if (line.starts_with("WIDTH=")) {
                size.first = std::stoi(line.substr(6));
            } else if (line.starts_with("HEIGHT=")) {
                size.second = std::stoi(line.substr(7));
            }
        }
        return size;
    }
    // Waits for the window to reach a size.
    bool reaches(std::pair<int, int> size) {
        for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
             std::chrono::steady_clock::now() < giveUp; std::this_thread::sleep_for(100ms)) {
            if (geometry() == size) {
                return true;
            }
        }
        return false;
    }

    void clickAt(int x, int y) {
        EXPECT_EQ(
            xdotool({"mousemove", "--window", window_, std::to_string(x), std::to_string(y), "click", "1"})
                .exitCode,
            0);
    }
    void clickControl(int id) {
        const ControlPlacement* p = layout_.find(id);
        ASSERT_NE(p, nullptr);
        clickAt(p->left + p->width / 2, p->top + p->height / 2);
    }

    // Waits until a patch of the board is (or is not) mostly black.
    bool boardTurns(bool black) {
        const BoardRectangle& board = layout_.boardRectFull;
        for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
             std::chrono::steady_clock::now() < giveUp; std::this_thread::sleep_for(200ms)) {
            const auto picture = photograph();
            int blackPixels = 0;
            for (int dy = 0; picture && dy < 10; ++dy) {
                for (int dx = 0; dx < 10; ++dx) {
                    blackPixels += picture->at(board.left + board.width / 3 + dx,
                                               board.top + board.height / 3 + dy) == 0;
                }
            }
            if (picture && (blackPixels >= 50) == black) {
                return true;
            }
        }
        return false;
    }

    // Clicks Color Schemes once the board is drawn, and waits until it shows
    // the black scheme, so the game has the setting before what follows.
    void switchToTheBlackScheme() {
        ASSERT_TRUE(boardTurns(false)) << "the board was never drawn";
        clickControl(IDC_COLOR_SCHEME);
        ASSERT_TRUE(boardTurns(true)) << "the board never turned black";
    }

    std::string storedSettings() const {
        std::ifstream in(folder_ / "config/vellumar/registry.reg");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::optional<XwdImage> photograph() {
        const auto dump = runCommand({"xwd", "-silent", "-id", window_}, environment_, kPatience);
        std::string why;
        auto image = XwdImage::parse(dump.output, &why);
        EXPECT_TRUE(image) << "xwd: " << why;
        return image;
    }

    // The game may be gone before xdotool sends the keys' release, which it
    // then reports as an error: the game's exit code is what tells.
    void pressCtrlQ() { xdotool({"key", "--window", window_, "ctrl+q"}); }

    // Photographs until `wanted` holds for one, within the patience.
    std::optional<XwdImage> photographUntil(const std::function<bool(const XwdImage&)>& wanted) {
        std::optional<XwdImage> picture;
        for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
             std::chrono::steady_clock::now() < giveUp; std::this_thread::sleep_for(200ms)) {
            picture = photograph();
            if (picture && wanted(*picture)) {
                return picture;
            }
        }
        return std::nullopt;
    }
    bool sameBoard(const XwdImage& a, const XwdImage& b) const {
        const BoardRectangle& board = layout_.boardRectFull;
        for (int y = board.top; y < board.top + board.height; y += 2) {
            for (int x = board.left; x < board.left + board.width; x += 2) {
                if (a.at(x, y) != b.at(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }
    TempFolder folder_;
    std::unique_ptr<VirtualDisplay> display_;
    testing_support::Environment environment_;
    std::string window_;
    int width_ = 0;
    int height_ = 0;
    ScreenLayout layout_;
};

}  // namespace

TEST_F(GameOnVirtualDisplay, PaintsAPieceThenCtrlQClosesItAndSavesTheSettings) {
    // Where the default pattern's first piece of colour 1 is, and its colour.
    platform::HeadlessBackend headless;
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern(settings);
    const std::string folder = std::filesystem::path(VELLUMAR_GAME).parent_path().string() + "/";
    loadPattern(pattern, platform::utf8ToUtf16(folder + "MonaLisa.mza").c_str());
    ASSERT_TRUE(pattern.loadError.empty()) << pattern.loadError;
    const auto target = std::ranges::find_if(pattern.pieces, [](const Piece& p) { return p.colour == 0; });
    ASSERT_NE(target, pattern.pieces.end());

    auto game = ChildProcess::start({VELLUMAR_GAME}, environment_);
    ASSERT_TRUE(game);
    findWindow(*game);
    ASSERT_FALSE(HasFatalFailure());

    const BoardRectangle& board = layout_.boardRectFull;
    fitToBoard(pattern, board.width / 2, board.height / 2, board.width, board.height);
    setZoom(pattern, 1.0f);
    setCentre(pattern, 0, 0);
    const POINT label = patternToBoard(pattern.viewTransform, boardScale(pattern.viewTransform),
                                       {target->labelX, target->labelY});
    const int x = board.left + label.x, y = board.top + label.y;

    EXPECT_EQ(xdotool({"getwindowname", window_}).output, "MonaLisa\n") << "the title names the picture";
    clickControl(IDC_PALETTE_FIRST);
    clickAt(x, y);
    clickControl(IDC_COLOR_SCHEME);  // a setting to find in the file afterwards
    // The clicks reach the game in order, each after the one before has been
    // handled (a palette pick plays its sound first): wait for the painted piece.
    const std::uint32_t painted = (static_cast<std::uint32_t>(pattern.colourRGB[0][0]) << 16) |
                                  (static_cast<std::uint32_t>(pattern.colourRGB[0][1]) << 8) |
                                  pattern.colourRGB[0][2];
    std::optional<XwdImage> picture;
    for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
         std::chrono::steady_clock::now() < giveUp;) {
        picture = photograph();
        if (!picture || picture->at(x, y) == painted) {
            break;
        }
        std::this_thread::sleep_for(200ms);
    }
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->at(x, y), painted) << "the piece is painted in its colour";
    const ControlPlacement* banner = layout_.find(IDC_BANNER);
    EXPECT_EQ(picture->at(banner->left + 2, banner->top + banner->height - 2) >> 8, 0x6E57u)
        << "the banner's purple";

    EXPECT_EQ(xdotool({"key", "--window", window_, "ctrl+q"}).exitCode, 0);
    EXPECT_EQ(game->waitForExit(kPatience), 0);
    const std::string stored = storedSettings();
    EXPECT_NE(stored.find("\"CurrentPatternShort\"=\"MonaLisa\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"ColorScheme\"=dword:00000001"), std::string::npos) << stored;
}

TEST_F(GameOnVirtualDisplay, AResizeSnapsToAWholeMultipleAndF11FitsOneIntoTheWholeDisplay) {
    // Full screen is the window manager's to grant.
    auto manager = ChildProcess::start({"openbox", "--sm-disable"}, environment_);
    ASSERT_TRUE(manager) << "openbox is missing (scripts/install-deps.sh installs it)";
    std::this_thread::sleep_for(500ms);
    auto game = ChildProcess::start({VELLUMAR_GAME}, environment_);
    ASSERT_TRUE(game);
    findWindow(*game);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(xdotool({"windowsize", window_, "1000", "700"}).exitCode, 0);
    EXPECT_TRUE(reaches({960, 642})) << "3 x 320 x 214, the nearest landscape multiple";

    EXPECT_EQ(xdotool({"key", "--window", window_, "F11"}).exitCode, 0);
    ASSERT_TRUE(reaches({1280, 1024})) << "full screen";
    // 4 x 320 x 214 = 1280 x 856, centred: 84 lines of the window's purple above and below.
    constexpr std::uint32_t kPurple = 0x6E579E;
    std::optional<XwdImage> picture;
    for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
         std::chrono::steady_clock::now() < giveUp; std::this_thread::sleep_for(200ms)) {
        picture = photograph();
        if (picture && picture->height() == 1024 && picture->at(100, 1003) == kPurple) {
            break;
        }
    }
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->at(100, 40), kPurple);
    EXPECT_EQ(picture->at(100, 1003), kPurple);
    const ScreenLayout fitted = computeLayout(1280, 856, kToolbarBitmapSizes);
    const BoardRectangle& board = fitted.boardRectFull;
    EXPECT_NE(picture->at(board.left + board.width / 2, 84 + board.top + board.height / 2), kPurple)
        << "the picture on the board";

    pressCtrlQ();  // xdotool may report the window manager's errors; the game's exit is what counts
    EXPECT_EQ(game->waitForExit(kPatience), 0);
}

TEST_F(GameOnVirtualDisplay, TheChosenPatternShowsAsSoonAsTheChooserCloses) {
    auto game = ChildProcess::start({VELLUMAR_GAME}, environment_);
    ASSERT_TRUE(game);
    findWindow(*game);
    ASSERT_FALSE(HasFatalFailure());
    const ControlPlacement* banner = layout_.find(IDC_BANNER);
    const auto first = photographUntil([&](const XwdImage& p) {
        return p.at(banner->left + 2, banner->top + banner->height - 2) >> 8 == 0x6E57u;
    });
    ASSERT_TRUE(first) << "the game's first frame";
    clickControl(IDC_OPEN);
    // The list has the keys: the first pattern, then Enter for Open.
    EXPECT_EQ(xdotool({"key", "--window", window_, "Home", "Return"}).exitCode, 0);
    // The chooser gone (its title bar lay over the banner) and another board there.
    const auto chosen = photographUntil([&](const XwdImage& p) {
        return p.at(width_ / 2, 2) == first->at(width_ / 2, 2) && !sameBoard(p, *first);
    });
    ASSERT_TRUE(chosen) << "the board still shows the pattern before";
    for (int scheme = 0; scheme < 4; ++scheme) {
        clickControl(IDC_COLOR_SCHEME);  // four full repaints, back to the first scheme
    }
    EXPECT_TRUE(photographUntil([&](const XwdImage& p) { return sameBoard(p, *chosen); }))
        << "what showed when the chooser closed is what a full repaint draws";
    pressCtrlQ();
    EXPECT_EQ(game->waitForExit(kPatience), 0);
}

TEST_F(GameOnVirtualDisplay, WithoutTheDefaultPatternAMessageWindowSaysSoAndTheGameEnds) {
    const std::filesystem::path lonely = folder_ / "lonely" / "vellumar";
    std::filesystem::create_directories(lonely.parent_path());
    std::filesystem::copy_file(VELLUMAR_GAME, lonely);
    auto game = ChildProcess::start({lonely.string()}, environment_);
    ASSERT_TRUE(game);
    // SDL's message box is a window of its own, named by its caption.
    std::string window;
    for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
         window.empty() && std::chrono::steady_clock::now() < giveUp; std::this_thread::sleep_for(200ms)) {
        const std::string info = runCommand({"xwininfo", "-name", "Warning"}, environment_, kPatience).output;
        const std::size_t id = info.find("Window id: ");
        window = id == std::string::npos ? "" : info.substr(id + 11, info.find(' ', id + 11) - id - 11);
    }
    ASSERT_FALSE(window.empty()) << "no message window on the display";
    xdotool({"key", "--window", window, "Return"});
    EXPECT_EQ(game->waitForExit(kPatience), 0);
}

TEST_F(GameOnVirtualDisplay, CtrlQClosesAfterTheHelpAndNoSoundCardCostsOneLineAtMost) {
    // The system's own audio (none on a test machine), the game's standard error kept.
    std::erase_if(environment_, [](const auto& variable) { return variable.first == "SDL_AUDIODRIVER"; });
    // Under the leak checker the system's audio modules leave a few bytes at exit, and its report
    // would land on the standard error this test reads.
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    environment_.emplace_back("ASAN_OPTIONS",
                              std::string(sanitizer != nullptr ? sanitizer : "") + ":detect_leaks=0");
    const std::string said = (folder_ / "stderr").string();
    auto game = ChildProcess::start({"sh", "-c", "exec \"$0\" 2>\"$1\"", VELLUMAR_GAME, said}, environment_);
    ASSERT_TRUE(game);
    findWindow(*game);
    ASSERT_FALSE(HasFatalFailure());
    clickControl(IDC_PALETTE_FIRST);  // the palette's sound
    clickControl(IDC_HELP);
    clickAt(width_ / 2, height_ / 2);  // any tap closes the help
    pressCtrlQ();
    EXPECT_EQ(game->waitForExit(kPatience), 0);
    std::ifstream in(said);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_LE(std::ranges::count(text, '\n'), 1) << text;
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
        auto game = ChildProcess::start({VELLUMAR_GAME}, environment_);
        ASSERT_TRUE(game);
        findWindow(*game);
        ASSERT_FALSE(HasFatalFailure());
        switchToTheBlackScheme();
        if (c.signal != 0) {
            game->signal(c.signal);
        } else {
            display_->stop();
        }
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
         [&] {
             const auto bytes = serializePatternFile(generateZigzagPattern(181, 44000, 16000));
             std::ofstream(hostile, std::ios::binary)
                 .write(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<std::streamsize>(bytes.size()));
         },
         ""},
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
        auto game = ChildProcess::start({VELLUMAR_GAME}, environment_);
        ASSERT_TRUE(game);
        findWindow(*game);
        ASSERT_FALSE(HasFatalFailure());
        pressCtrlQ();
        EXPECT_EQ(game->waitForExit(kPatience), 0);
    }
}
