// vellumar-demo on the desktop backend, driven like a user would on a display
// of its own; its report read from standard output.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <sstream>

#include "platform/sdl/window_scale.h"
#include "tests/platform/sdl/desktop_session.h"
#include "tools/vellumar-demo/demo_layout.h"

namespace {

using namespace std::chrono_literals;

// The demo's colours (tools/vellumar-demo/demo_window.cpp).
constexpr std::uint32_t kBackground = 0x6E579E;
constexpr std::uint32_t kFace = 0xCEC4EC;
constexpr std::uint32_t kFacePressed = 0x48386E;

class DemoOnVirtualDisplay : public DesktopSession {
  protected:
    // Starts a demo, reads "ready W H K" and finds its window.
    std::unique_ptr<testing_support::ChildProcess> startDemo() {
        auto demo = start({VELLUMAR_DEMO});
        const auto line = demo ? demo->readLine(kPatience) : std::nullopt;
        EXPECT_TRUE(line) << "the demo did not start";
        std::istringstream words(line.value_or(""));
        std::string ready;
        words >> ready >> width_ >> height_ >> k_;
        EXPECT_EQ(ready, "ready") << line.value_or("");
        if (line) {
            findWindow(*demo);
        }
        return demo;
    }
    // Points in the handheld's pixels, as the demo lays itself out at scale k.
    void click(int x, int y) { clickAt(x * k_, y * k_); }
    void clickCentre(const demo::Place& p) { click(p.left + p.width / 2, p.top + p.height / 2); }
    void pressKey(const std::string& key) { EXPECT_EQ(xdotool({"key", key}).exitCode, 0); }
    bool showsColourAt(int x, int y, std::uint32_t colour) {
        return photographUntil(
                   [&](const testing_support::XwdImage& p) { return p.at(x * k_, y * k_) == colour; })
            .has_value();
    }
    void expectLine(testing_support::ChildProcess& demo, const std::string& expected) {
        EXPECT_EQ(demo.readLine(kPatience).value_or("(no line)"), expected);
    }
    void expectSize(int width, int height) { EXPECT_EQ(geometry(), std::pair(width, height)); }
    void closeWithEscape(testing_support::ChildProcess& demo) {
        pressKey("Escape");
        expectLine(demo, "closed");
        EXPECT_EQ(demo.waitForExit(kPatience), 0);
    }

    int width_ = 0;
    int height_ = 0;
    int k_ = 0;
};

// Opened at a whole multiple of the handheld's screen, it shows what it drew
// pixel for pixel; F9 turns the screen and back; the termination signal
// becomes WM_CLOSE.
TEST_F(DemoOnVirtualDisplay, OpensAtAWholeMultipleTurnsWithF9AndClosesWhenAskedToQuit) {
    auto demo = startDemo();
    ASSERT_FALSE(HasFatalFailure() || HasNonfatalFailure());
    // 3 x 294 = 882 fits 90% of 1024 lines; 4 x 294 does not.
    EXPECT_EQ(k_, platform::chooseScale({1280, 1024}, platform::kPortraitBase));
    EXPECT_EQ(k_, 3);
    EXPECT_EQ(std::pair(width_, height_), std::pair(240 * k_, 294 * k_));
    expectSize(width_, height_);
    EXPECT_EQ(xdotool({"getwindowname", window_}).output, "Vellumar demo\n");
    ASSERT_TRUE(showsColourAt(235, 5, kBackground));
    const auto image = photograph();
    ASSERT_TRUE(image);
    EXPECT_EQ(std::pair(image->width(), image->height()), std::pair(width_, height_));
    const demo::Place one = demo::kOneButton;
    EXPECT_EQ(image->at((one.left + 3) * k_, (one.top + 3) * k_), kFace);
    EXPECT_EQ(image->at((one.left + one.width - 3) * k_, (one.top + one.height - 3) * k_), kFace);
    EXPECT_EQ(image->at((one.left + one.width) * k_, (one.top + one.height) * k_), kBackground);

    pressKey("F9");
    expectLine(*demo, "layout " + std::to_string(320 * k_) + " " + std::to_string(214 * k_));
    expectSize(320 * k_, 214 * k_);
    EXPECT_TRUE(showsColourAt(300, 200, kBackground)) << "the main window covers the new screen";
    clickCentre(demo::kOneButton);
    expectLine(*demo, "command 1");
    pressKey("F9");
    expectLine(*demo, "layout " + std::to_string(240 * k_) + " " + std::to_string(294 * k_));

    demo->signal(SIGTERM);
    expectLine(*demo, "closed");
    EXPECT_EQ(demo->waitForExit(kPatience), 0);
}

TEST_F(DemoOnVirtualDisplay, ClicksAndKeysReachTheControls) {
    auto demo = startDemo();
    ASSERT_FALSE(HasFatalFailure() || HasNonfatalFailure());
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
    click(bar.left + bar.width - arrowMiddle, bar.top + arrowMiddle);
    for (const char* code : {"scroll 1 ", "scroll 8 "}) {
        expectLine(*demo, code + std::to_string(demo::kScrollStart + 1));
    }
    click(bar.left + arrowMiddle, bar.top + arrowMiddle);
    for (const char* code : {"scroll 0 ", "scroll 8 "}) {
        expectLine(*demo, code + std::to_string(demo::kScrollStart));
    }

    // The list is sorted without regard to case; its first row is at its top.
    click(demo::kListBox.left + 20, demo::kListBox.top + 4);
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
    const std::string sound = demo->readLine(kPatience).value_or("");
    unsigned took = 0;
    unsigned length = 0;
    ASSERT_EQ(std::sscanf(sound.c_str(), "sound IDR_PALETTE %u %u", &took, &length), 2) << sound;
    EXPECT_GT(length, 100u);
    EXPECT_GE(took + 50, length) << "the sound returned before it could have been heard";
    closeWithEscape(*demo);
}

TEST_F(DemoOnVirtualDisplay, ASecondStartLeavesTheFirstAndEndsWithZero) {
    auto first = startDemo();
    ASSERT_FALSE(HasFatalFailure() || HasNonfatalFailure());
    auto second = start({VELLUMAR_DEMO});
    ASSERT_TRUE(second);
    EXPECT_EQ(second->waitForExit(kPatience), 0);
    EXPECT_EQ(second->readAll(1s), "") << "the second copy opened a window of its own";
    clickCentre(demo::kOneButton);
    expectLine(*first, "command 1");
    closeWithEscape(*first);
}

}  // namespace
