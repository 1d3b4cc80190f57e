// The play clock against a tick count the test moves.
#include "render/countdown_timer.h"

#include <gtest/gtest.h>

#include "platform/drawing/device_context.h"
#include "platform/headless/headless_backend.h"
#include "platform/pixels/surface.h"

namespace {

class Clock : public ::testing::Test {
  protected:
    platform::HeadlessBackend backend;
    CountdownTimer clock;

    // The clock reads whole seconds of the tick count.
    void at(std::uint64_t milliseconds) { backend.setClock(milliseconds); }
    std::string shown() {
        clock.update();
        char text[8];
        std::snprintf(text, sizeof text, "%02d:%02d", clock.minutes, clock.seconds);
        return text;
    }
};

}  // namespace

TEST_F(Clock, ShowsTheAllowanceAndCountsDownFromTheNextWholeSecond) {
    at(10'400);
    clock.setAllowance(330);
    clock.reset();
    EXPECT_EQ(shown(), "05:30");
    clock.start();
    at(10'999);
    EXPECT_EQ(shown(), "05:30");
    at(11'000);  // the first second is short: both stamps are whole seconds
    EXPECT_EQ(shown(), "05:29");
    at(70'000);
    EXPECT_EQ(shown(), "04:30");
}

TEST_F(Clock, AnHourOrMoreShowsOnlyMinutesAndSeconds) {
    clock.setAllowance(3725);
    clock.reset();
    EXPECT_EQ(shown(), "02:05");
    EXPECT_EQ(clock.shownMasks[0], CountdownTimer::digitMasks[0]) << "a leading zero is shown";
}

TEST_F(Clock, AnAllowanceOfZeroTimesOutAtTheFirstTick) {
    clock.setAllowance(0);
    clock.reset();
    clock.start();
    at(100);
    clock.hasDisplayChanged();
    EXPECT_EQ(clock.remainingSeconds(), 0);
}

TEST_F(Clock, PausingKeepsTheElapsedWholeSecondsAndStopThenStartGivesTheRunBack) {
    clock.setAllowance(100);
    clock.reset();
    at(5'000);
    clock.start();
    at(15'500);
    EXPECT_EQ(shown(), "01:30");  // the ticks keep the shown time fresh while it runs
    clock.pauseOrResume();        // 10 s used
    EXPECT_FALSE(clock.isActive());
    at(500'000);
    EXPECT_EQ(shown(), "01:30") << "time paused is not counted";
    clock.pauseOrResume();
    at(520'000);
    EXPECT_EQ(shown(), "01:10");
    clock.stop();
    at(600'000);
    EXPECT_EQ(shown(), "01:10") << "stopped, the time freezes";
    clock.start();
    EXPECT_EQ(shown(), "01:30") << "the stopped run of 20 s is given back";
}

TEST_F(Clock, ResetBringsTheFullAllowanceBackAndTheDisplayChangesOnlyWithItsDigits) {
    clock.setAllowance(60);
    clock.reset();
    clock.start();
    at(30'000);
    EXPECT_TRUE(clock.hasDisplayChanged());
    platform::Surface s(47, 28);
    const HDC dc = platform::createSurfaceDC(s);
    clock.draw(dc, 0, 0, 47, 28);
    EXPECT_FALSE(clock.hasDisplayChanged());
    at(30'900);
    EXPECT_FALSE(clock.hasDisplayChanged()) << "the same second";
    at(31'000);
    EXPECT_TRUE(clock.hasDisplayChanged());
    clock.reset();
    EXPECT_EQ(shown(), "01:00");
    EXPECT_FALSE(clock.isActive());
    DeleteDC(dc);
}

TEST_F(Clock, ARunAcrossTheTickCountsWrapCountsAsNoTime) {
    clock.setAllowance(100);
    clock.reset();
    at(0xFFFFFFFFull - 5'000);
    clock.start();
    at(0x100000000ull + 20'000);  // the 32-bit tick count has wrapped
    EXPECT_EQ(shown(), "01:40");
}
