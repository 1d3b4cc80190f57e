#include "render/countdown_timer.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/windows/timers.h"

namespace {

// The digit model: a cell 100 units wide and 200 high, origin at its bottom
// left, y upwards; bars 15 units thick; digits 150 units apart.
struct ModelPoint {
    double x, y;
};
struct Bar {
    std::array<ModelPoint, 7> points;
    int count;
};
constexpr std::array<Bar, 7> kBars = {{
    {{{{0, 200}, {100, 200}, {85, 185}, {15, 185}, {0, 200}}}, 5},                              // top
    {{{{100, 100}, {100, 200}, {85, 185}, {85, 107.5}, {100, 100}}}, 5},                        // upper right
    {{{{100, 0}, {100, 100}, {85, 92.5}, {85, 15}, {100, 0}}}, 5},                              // lower right
    {{{{0, 0}, {100, 0}, {85, 15}, {15, 15}, {0, 0}}}, 5},                                      // bottom
    {{{{0, 0}, {0, 100}, {15, 92.5}, {15, 15}, {0, 0}}}, 5},                                    // lower left
    {{{{0, 100}, {0, 200}, {15, 185}, {15, 107.5}, {0, 100}}}, 5},                              // upper left
    {{{{0, 100}, {15, 92.5}, {85, 92.5}, {100, 100}, {85, 107.5}, {15, 107.5}, {0, 100}}}, 7},  // middle
}};
constexpr double kPitch = 150;
constexpr double kStroke = 15;
constexpr double kColonX = 285;
constexpr double kLowerDotY = 50;
constexpr double kUpperDotY = 150;

int trunc(double v) {
    return static_cast<int>(v);
}

// Whole seconds of the tick count.
std::uint32_t now() {
    return GetTickCount() / 1000;
}

}  // namespace

std::int32_t allowanceFor(std::int32_t pieceTotal, std::uint32_t level) {
    static constexpr std::int32_t kDivisors[] = {19, 22, 25};
    return pieceTotal * 60 / kDivisors[std::min<std::uint32_t>(level, 2)];
}

CountdownTimer::CountdownTimer()
    : digitBrush(CreateSolidBrush(RGB(255, 255, 255))), digitPen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255))) {
    reset();
}

CountdownTimer::~CountdownTimer() {
    DeleteObject(digitPen);
    DeleteObject(digitBrush);
    if (ownerWindow != nullptr) {
        KillTimer(ownerWindow, kTimerId);
    }
}

void CountdownTimer::setAllowance(std::int32_t s) {
    allowance = s;
}

void CountdownTimer::reset() {
    elapsedBefore = 0;
    counting = false;
    if (ownerWindow != nullptr) {
        KillTimer(ownerWindow, kTimerId);
    }
    active = false;
    update();
}

void CountdownTimer::start() {
    startStamp = now();
    counting = true;
    active = true;
    if (ownerWindow != nullptr) {
        SetTimer(ownerWindow, kTimerId, kTickMilliseconds, nullptr);
    }
}

void CountdownTimer::pauseOrResume() {
    if (!active) {
        start();
        return;
    }
    elapsedBefore += static_cast<std::int32_t>(now() - startStamp);
    if (ownerWindow != nullptr) {
        KillTimer(ownerWindow, kTimerId);
    }
    active = false;
}

std::int32_t CountdownTimer::elapsedSeconds() const {
    if (active) {
        return elapsedBefore + static_cast<std::int32_t>(now() - startStamp);
    }
    // Stopped after it ran (finished, timed out), the last shown time tells:
    // stopping does not add the last run to elapsedBefore.
    return counting ? std::max(elapsedBefore, allowance - remaining) : elapsedBefore;
}

void CountdownTimer::stop() {
    if (ownerWindow != nullptr) {
        KillTimer(ownerWindow, kTimerId);
    }
    active = false;
}

void CountdownTimer::update() {
    if (!counting) {
        remaining = allowance - elapsedBefore;
    } else if (active) {
        // A run across the tick count's wrap comes out negative and counts as 0.
        const std::int64_t elapsed = std::max<std::int64_t>(
            static_cast<std::int32_t>(now() - startStamp) + std::int64_t{elapsedBefore}, 0);
        remaining = static_cast<std::int32_t>(std::max<std::int64_t>(allowance - elapsed, 0));
    }
    const std::int32_t withinHour = remaining - 3600 * (remaining / 3600);
    minutes = withinHour / 60;
    seconds = withinHour - 60 * minutes;
    // Only a negative allowance could make these negative; show it as zeros.
    const int m = std::max(minutes, 0);
    const int s = std::max(seconds, 0);
    shownMasks = {digitMasks[m / 10], digitMasks[m % 10], digitMasks[s / 10], digitMasks[s % 10]};
}

bool CountdownTimer::hasDisplayChanged() {
    update();
    return shownMasks != drawnMasks;
}

void CountdownTimer::draw(HDC hdc, int left, int top, int right, int bottom) {
    update();
    const int W = right - left;
    const int H = bottom - top;
    double scale = (H - 3) * 0.005;
    if (600 * scale > W - 1) {
        scale = (W - 3) / 600.0;
    }
    int x0 = trunc((W - 1) - 600 * scale) / 2;
    if (x0 < 0) {
        x0 = 1;
    }
    const int y0 = trunc((H - 1) - 200 * scale) / 2;
    const int pitch = trunc(kPitch * scale);

    const HBRUSH oldBrush = SelectObject(hdc, digitBrush);
    const HPEN oldPen = SelectObject(hdc, digitPen);

    const int r = std::max(trunc(kStroke * scale), 1);
    const int cx = trunc(kColonX * scale + x0);
    for (double dotY : {kLowerDotY, kUpperDotY}) {
        const int cy = (H - 1) - trunc(dotY * scale) - y0;
        Ellipse(hdc, left + cx - r, top + cy - r, left + cx + r, top + cy + r);
    }

    for (int i = 0; i < 4; ++i) {
        const int xi = x0 + i * pitch;
        for (int bit = 0; bit < 7; ++bit) {
            if ((shownMasks[i] & (1u << bit)) == 0) {
                continue;
            }
            const Bar& bar = kBars[bit];
            std::array<POINT, 7> pixels;
            for (int k = 0; k < bar.count; ++k) {
                pixels[k] = {left + trunc(bar.points[k].x * scale + xi),
                             top + (H - 1) - trunc(bar.points[k].y * scale + y0)};
            }
            Polygon(hdc, pixels.data(), bar.count);
        }
        drawnMasks[i] = shownMasks[i];
    }

    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
}

void CountdownTimer::paintClockPanel(HDC hdc, const ClockPanel& panel) {
    const RECT& r = panel.rect;
    if (!panel.clockOn) {
        FillRect(hdc, &r, panel.background);
        return;
    }
    BITMAP size{};
    GetObject(panel.face, sizeof size, &size);
    const HDC faceDC = CreateCompatibleDC(hdc);
    const HBITMAP old = SelectObject(faceDC, panel.face);
    StretchBlt(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, faceDC, 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
    SelectObject(faceDC, old);
    DeleteDC(faceDC);
    draw(hdc, r.left, r.top, r.right, r.bottom);
}
