// The real game on the desktop backend, played like a user would: on an X
// server of its own, clicked with xdotool, photographed with xwd, closed with
// Ctrl+Q, and its settings file read afterwards.
#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "app/settings.h"
#include "bench/generated_pattern.h"
#include "pattern/pattern.h"
#include "platform/headless/headless_backend.h"
#include "platform/text.h"
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
        std::istringstream geometry(xdotool({"getwindowgeometry", "--shell", window_}).output);
        for (std::string line; std::getline(geometry, line);) {
            if (line.starts_with("WIDTH=")) {
                width_ = std::stoi(line.substr(6));
            } else if (line.starts_with("HEIGHT=")) {
                height_ = std::stoi(line.substr(7));
            }
        }
        ASSERT_GT(width_, 0);
        layout_ = computeLayout(width_, height_, kToolbarBitmapSizes);
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
        EXPECT_EQ(xdotool({"key", "--window", window_, "ctrl+q"}).exitCode, 0);
        EXPECT_EQ(game->waitForExit(kPatience), 0);
    }
}
