// What one full redraw of a pattern can cost at the largest board, at any
// zoom the game offers, counted when the pattern is built: a file whose
// outlines would keep some frame busy for seconds is refused like any other
// damaged file, so no file that loads can stall the game (or freeze it again
// on every start, as the current pattern).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "pattern/view_transform.h"

struct Piece;

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

// An upper bound of the costliest frame at any of the game's zooms and any
// view centre. `largestBoard` is the pattern's view fitted to the largest
// board, at zoom 1.
DrawingWork measureDrawingWork(std::span<const Piece> pieces, const ViewTransform& largestBoard);

// Why drawing would take too long; empty when the work is within the budget.
std::string findDrawingFault(const DrawingWork& work);
// The same for a pattern's pieces, without searching every window when a
// bound of them all already fits the budget.
std::string findDrawingFault(std::span<const Piece> pieces, const ViewTransform& largestBoard);
