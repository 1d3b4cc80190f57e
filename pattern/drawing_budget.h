// The work of one frame and the budget it must keep: what the bounds of a
// pattern's drawing work count, from the whole board to the smallest window.
#pragma once

#include <cstdint>

// The largest board the game is drawn on (a 1440 x 1764 window).
inline constexpr std::int32_t kLargestBoardWidth = 1440;
inline constexpr std::int32_t kLargestBoardHeight = 1764;

// The game zooms in by half again a step, with no upper limit: its zooms are
// the powers of this.
inline constexpr double kZoomStep = 1.5;

// The work of the fill pass, the outline pass and the numbers of one frame:
// every piece's points and number, and what the rasteriser does inside the
// window drawn (edges and lines beside it cost no more than their setup).
struct DrawingWork {
    std::int64_t points = 0;        // outline points converted to pixels and joined
    std::int64_t crossings = 0;     // board rows crossed by the edges of the filled outlines
    std::int64_t filledPixels = 0;  // pixels of the filled outlines' boxes
    std::int64_t linePixels = 0;    // pixels along every line drawn
    std::int64_t labels = 0;        // numbers drawn
    double zoom = 1.0;              // the zoom of the frame; 0 for every zoom past the last counted
    double windowX = 0.0;           // the centre of its window, in board pixels at zoom 1
    double windowY = 0.0;

    // What the frame costs on the machine the game is made on, in
    // nanoseconds, from the cost of each unit measured by
    // bench/hostile_pattern_bench.cpp (rounded up).
    std::int64_t estimatedNanoseconds() const {
        return 10 * points + 36 * crossings + filledPixels / 2 + 2 * linePixels + 700 * labels;
    }
};

// A frame must stay well under 100 ms, with room for a busy machine. The
// bundled pictures need 2 to 10 ms.
inline constexpr std::int64_t kMaxFrameNanoseconds = 50'000'000;
