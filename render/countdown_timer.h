// The play clock: counts down the time allowed for a pattern in whole seconds
// of the system tick count, driven by timer 1 of its owner window every
// 100 ms, and shows what is left as four seven-bar digits with a colon.
#pragma once

#include <array>
#include <cstdint>

#include "platform/base/handles.h"
#include "platform/base/types.h"

// What the clock panel needs from the game: where it is, its face, the
// background it leaves when the clock is hidden, and whether it is shown.
struct ClockPanel {
    RECT rect;
    HBITMAP face = nullptr;
    HBRUSH background = nullptr;
    bool clockOn = true;
};

class CountdownTimer {
  public:
    CountdownTimer();
    ~CountdownTimer();
    CountdownTimer(const CountdownTimer&) = delete;
    CountdownTimer& operator=(const CountdownTimer&) = delete;

    void setAllowance(std::int32_t seconds);
    void reset();
    void start();
    void pauseOrResume();
    void stop();
    bool isActive() const { return active; }
    std::int32_t remainingSeconds() const { return remaining; }
    // Seconds counted so far, the running stretch included.
    std::int32_t elapsedSeconds() const;
    void update();
    bool hasDisplayChanged();
    void draw(HDC hdc, int left, int top, int right, int bottom);
    void paintClockPanel(HDC hdc, const ClockPanel& panel);

    HWND ownerWindow = nullptr;
    std::int32_t allowance = 0;
    std::uint32_t startStamp = 0;
    std::int32_t elapsedBefore = 0;
    std::int32_t remaining = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    bool counting = false;
    bool active = false;
    static constexpr std::array<std::uint8_t, 10> digitMasks = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                                0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    std::array<std::uint8_t, 4> shownMasks{};
    std::array<std::uint8_t, 4> drawnMasks{};
    HBRUSH digitBrush = nullptr;
    HPEN digitPen = nullptr;

    static constexpr unsigned kTimerId = 1;
    static constexpr unsigned kTickMilliseconds = 100;
};

// The allowance for a pattern: a piece is worth 60/19, 60/22 or 60/25 seconds
// at level 0, 1 or 2.
std::int32_t allowanceFor(std::int32_t pieceTotal, std::uint32_t level);
