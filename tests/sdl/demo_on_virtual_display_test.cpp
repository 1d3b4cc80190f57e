// vellumar-demo on the desktop backend, driven like a user would: on an X
// server of its own (Xvfb), clicked and typed at with xdotool, its window
// photographed with xwd, its report read from standard output.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sdl/window_scale.h"
#include "tests/sdl/child_process.h"
#include "tests/sdl/virtual_display.h"
#include "tests/sdl/xwd_image.h"
#include "tests/support/temp_folder.h"
#include "tools/vellumar-demo/demo_layout.h"

namespace {

using namespace std::chrono_literals;
using testing_support::ChildProcess;
using testing_support::runCommand;
using testing_support::VirtualDisplay;
using testing_support::XwdImage;

constexpr int kDesktopWidth = 1280;
constexpr int kDesktopHeight = 1024;
constexpr auto kPatience = 10s;

// The demo's colours (tools/vellumar-demo/demo_window.cpp).
constexpr std::uint32_t kBackground = 0x6E579E;
constexpr std::uint32_t kFace = 0xCEC4EC;
constexpr std::uint32_t kFacePressed = 0x48386E;

class DemoOnVirtualDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        display_ = VirtualDisplay::start(kDesktopWidth, kDesktopHeight, &why);
        if (!display_) {
            GTEST_SKIP() << "Xvfb cannot start here (" << why << "); the demo needs an X display";
        }
        environment_ = {
            {"DISPLAY", display_->name()},
            {"SDL_VIDEODRIVER", "x11"},
            // Its own runtime folder: no other copy's lock, on this machine or in another test.
            {"XDG_RUNTIME_DIR", runtime_.path().string()},
            // SDL's silent audio device keeps time like a sound card.
            {"SDL_AUDIODRIVER", "dummy"},
            testing_support::leaksReportedOnly(),
        };
    }

    std::unique_ptr<ChildProcess> startDemo() { return ChildProcess::start({VELLUMAR_DEMO}, environment_); }

    // Reads "ready W H K" and finds the demo's window.
    void awaitReady(ChildProcess& demo) {
        const auto line = demo.readLine(kPatience);
        ASSERT_TRUE(line) << "the demo did not start";
        std::istringstream words(*line);
        std::string ready;
        words >> ready >> width_ >> height_ >> k_;
        ASSERT_EQ(ready, "ready") << *line;
        const auto found =
            xdotool({"search", "--sync", "--onlyvisible", "--pid", std::to_string(demo.pid())}).output;
        window_ = found.substr(0, found.find('\n'));
        ASSERT_FALSE(window_.empty()) << "no window of the demo's on the display";
    }

    testing_support::CommandResult xdotool(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "xdotool");
        return runCommand(arguments, environment_, kPatience);
    }

    // Clicks a point given in the handheld's pixels, as the demo lays itself out at scale k.
    void clickAt(int x, int y) {
        EXPECT_EQ(xdotool({"mousemove", "--window", window_, std::to_string(x * k_), std::to_string(y * k_),
                           "click", "1"})
                      .exitCode,
                  0);
    }
    void clickCentre(const demo::Place& p) { clickAt(p.left + p.width / 2, p.top + p.height / 2); }
    void pressKey(const std::string& key) { EXPECT_EQ(xdotool({"key", key}).exitCode, 0); }

    std::optional<XwdImage> photograph() {
        const auto dump = runCommand({"xwd", "-silent", "-id", window_}, environment_, kPatience);
        std::string why;
        auto image = XwdImage::parse(dump.output, &why);
        EXPECT_TRUE(image) << "xwd: " << why;
        return image;
    }

    // Photographs until the pixel at (x, y) in the handheld's pixels has `colour`.
    bool showsColourAt(int x, int y, std::uint32_t colour) {
        const auto giveUp = std::chrono::steady_clock::now() + kPatience;
        std::uint32_t seen = 0;
        while (std::chrono::steady_clock::now() < giveUp) {
            const auto image = photograph();
            if (!image) {
                return false;
            }
            seen = image->at(x * k_, y * k_);
            if (seen == colour) {
                return true;
            }
        }
        ADD_FAILURE() << std::hex << "at (" << x << ", " << y << ") the window shows " << seen << ", not "
                      << colour;
        return false;
    }

    void expectLine(ChildProcess& demo, const std::string& expected) {
        const auto line = demo.readLine(kPatience);
        ASSERT_TRUE(line) << "no line from the demo; expected \"" << expected << "\"";
        EXPECT_EQ(*line, expected);
    }

    std::unique_ptr<VirtualDisplay> display_;
    TempFolder runtime_;
    testing_support::Environment environment_;
    std::string window_;
    int width_ = 0;
    int height_ = 0;
    int k_ = 0;
};

TEST_F(DemoOnVirtualDisplay, OpensAtAWholeMultipleOfTheHandheldsScreen) {
    auto demo = startDemo();
    ASSERT_TRUE(demo);
    ASSERT_NO_FATAL_FAILURE(awaitReady(*demo));
    // 3 x 294 = 882 fits 90% of 1024 lines; 4 x 294 does not.
    EXPECT_EQ(k_, platform::chooseScale({kDesktopWidth, kDesktopHeight}, platform::kPortraitBase));
    EXPECT_EQ(k_, 3);
    EXPECT_EQ(width_, 240 * k_);
    EXPECT_EQ(height_, 294 * k_);
    const auto geometry = xdotool({"getwindowgeometry", "--shell", window_}).output;
    EXPECT_NE(geometry.find("WIDTH=" + std::to_string(width_) + "\n"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=" + std::to_string(height_) + "\n"), std::string::npos) << geometry;
    // The title is the main window's.
    EXPECT_EQ(xdotool({"getwindowname", window_}).output, "Vellumar demo\n");

    // What the demo drew is on the display (once it has shown its first
    // picture), pixel for pixel at scale k.
    ASSERT_TRUE(showsColourAt(235, 5, kBackground));
    const auto image = photograph();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), width_);
    EXPECT_EQ(image->height(), height_);
    const demo::Place one = demo::kOneButton;
    EXPECT_EQ(image->at((one.left + 3) * k_, (one.top + 3) * k_), kFace);
    EXPECT_EQ(image->at((one.left + one.width - 3) * k_, (one.top + one.height - 3) * k_), kFace);
    // One pixel outside the button is background again.
    EXPECT_EQ(image->at((one.left + one.width) * k_, (one.top + one.height) * k_), kBackground);

    pressKey("Escape");
    expectLine(*demo, "closed");
    EXPECT_EQ(demo->waitForExit(kPatience), 0);
}

TEST_F(DemoOnVirtualDisplay, ClicksAndKeysReachTheControls) {
    auto demo = startDemo();
    ASSERT_TRUE(demo);
    ASSERT_NO_FATAL_FAILURE(awaitReady(*demo));

    clickCentre(demo::kOneButton);
    expectLine(*demo, "command 1");

    // Held down, the owner-drawn button shows its pressed face; let go, it reports.
    const demo::Place two = demo::kTwoButton;
    EXPECT_EQ(xdotool({"mousemove", "--window", window_, std::to_string((two.left + 10) * k_),
                       std::to_string((two.top + 10) * k_), "mousedown", "1"})
                  .exitCode,
              0);
    EXPECT_TRUE(showsColourAt(two.left + 3, two.top + 3, kFacePressed));
    EXPECT_EQ(xdotool({"mouseup", "1"}).exitCode, 0);
    expectLine(*demo, "command 2");
    EXPECT_TRUE(showsColourAt(two.left + 3, two.top + 3, kFace));

    // The scroll bar's arrows are squares as thick as the bar, at its ends.
    const demo::Place bar = demo::kScrollBar;
    const int arrowMiddle = bar.height / 2;
    clickAt(bar.left + bar.width - arrowMiddle, bar.top + arrowMiddle);
    expectLine(*demo, "scroll 1 " + std::to_string(demo::kScrollStart + 1));
    expectLine(*demo, "scroll 8 " + std::to_string(demo::kScrollStart + 1));
    clickAt(bar.left + arrowMiddle, bar.top + arrowMiddle);
    expectLine(*demo, "scroll 0 " + std::to_string(demo::kScrollStart));
    expectLine(*demo, "scroll 8 " + std::to_string(demo::kScrollStart));

    // The list is sorted without regard to case; its first row is at its top.
    const demo::Place list = demo::kListBox;
    clickAt(list.left + 20, list.top + 4);
    expectLine(*demo, "select 0 apple");
    pressKey("Down");
    expectLine(*demo, "select 1 Banana");

    // The question is answered with Enter, which the box's first button (Yes) takes.
    clickCentre(demo::kAskButton);
    expectLine(*demo, "command 3");
    pressKey("Return");
    expectLine(*demo, "message box 6");

    // A sound plays to its end before the call returns.
    clickCentre(demo::kSoundButton);
    expectLine(*demo, "command 4");
    const auto sound = demo->readLine(kPatience);
    ASSERT_TRUE(sound);
    unsigned took = 0;
    unsigned length = 0;
    ASSERT_EQ(std::sscanf(sound->c_str(), "sound IDR_PALETTE %u %u", &took, &length), 2) << *sound;
    EXPECT_GT(length, 100u);
    EXPECT_GE(took + 50, length) << "the sound returned before it could have been heard";

    pressKey("Escape");
    expectLine(*demo, "closed");
    EXPECT_EQ(demo->waitForExit(kPatience), 0);
}

TEST_F(DemoOnVirtualDisplay, F9TurnsTheScreenAndBack) {
    auto demo = startDemo();
    ASSERT_TRUE(demo);
    ASSERT_NO_FATAL_FAILURE(awaitReady(*demo));

    pressKey("F9");
    expectLine(*demo, "layout " + std::to_string(320 * k_) + " " + std::to_string(214 * k_));
    const auto geometry = xdotool({"getwindowgeometry", "--shell", window_}).output;
    EXPECT_NE(geometry.find("WIDTH=" + std::to_string(320 * k_) + "\n"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=" + std::to_string(214 * k_) + "\n"), std::string::npos) << geometry;
    // The main window covers the new screen: the landscape's right part is its background.
    EXPECT_TRUE(showsColourAt(300, 200, kBackground));
    // The controls work where the layout put them.
    clickCentre(demo::kOneButton);
    expectLine(*demo, "command 1");

    pressKey("F9");
    expectLine(*demo, "layout " + std::to_string(240 * k_) + " " + std::to_string(294 * k_));

    pressKey("Escape");
    expectLine(*demo, "closed");
    EXPECT_EQ(demo->waitForExit(kPatience), 0);
}

TEST_F(DemoOnVirtualDisplay, ASecondStartLeavesTheFirstAndEndsWithZero) {
    auto first = startDemo();
    ASSERT_TRUE(first);
    ASSERT_NO_FATAL_FAILURE(awaitReady(*first));

    auto second = startDemo();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->waitForExit(kPatience), 0);
    EXPECT_EQ(second->readAll(1s), "") << "the second copy opened a window of its own";

    // The first runs on.
    clickCentre(demo::kOneButton);
    expectLine(*first, "command 1");
    pressKey("Escape");
    expectLine(*first, "closed");
    EXPECT_EQ(first->waitForExit(kPatience), 0);
}

TEST_F(DemoOnVirtualDisplay, BeingAskedToQuitClosesTheMainWindow) {
    auto demo = startDemo();
    ASSERT_TRUE(demo);
    ASSERT_NO_FATAL_FAILURE(awaitReady(*demo));
    // The termination signal becomes WM_CLOSE.
    demo->signal(SIGTERM);
    expectLine(*demo, "closed");
    EXPECT_EQ(demo->waitForExit(kPatience), 0);
}

}  // namespace
