// The largest board at zoom 1 cut into square cells, a point's spot on it,
// and the search for a window over the drawing budget: shared by the bounds
// of a pattern's drawing work, from the coarsest to the finest.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include "pattern/drawing_budget.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"

namespace drawing_work {

inline constexpr double kWidth = kLargestBoardWidth;
inline constexpr double kHeight = kLargestBoardHeight;

// A frame at any zoom shows a window that meets a block of cells. Smaller
// cells bound the work more tightly, larger ones cost less to count.
struct Cells {
    int size, columns, rows;
    double perPixel;  // exact, as every side is a power of two

    explicit Cells(int side)
        : size(side),
          columns((kLargestBoardWidth + side - 1) / side),
          rows((kLargestBoardHeight + side - 1) / side),
          perPixel(1.0 / side) {}
    // The cell of a coordinate on the board (0 <= v, as every spot is).
    int column(double x) const { return std::min(static_cast<int>(x * perPixel), columns - 1); }
    int row(double y) const { return std::min(static_cast<int>(y * perPixel), rows - 1); }
    // The cells a window of the largest board at `zoom` meets, wherever it is.
    int windowColumns(double zoom) const {
        return std::min(columns, static_cast<int>(kWidth / zoom / size) + 2);
    }
    int windowRows(double zoom) const { return std::min(rows, static_cast<int>(kHeight / zoom / size) + 2); }
};

// The fine cells, and the coarse ones tried first when a pattern has few
// points: it is then settled by a few hundred cells rather than ten thousand,
// whose counting would cost more than its points.
inline constexpr int kFineCell = 16;
inline constexpr int kCoarseCell = 64;

struct Spot {
    double x, y;  // board pixels at zoom 1, before truncation
};

// A point on the board at zoom 1: as drawn, and before truncation.
struct Mapped {
    POINT pixel;
    Spot spot;
};

inline Mapped mapped(const ViewTransform& view, BoardScale scale, POINT p) {
    const float x =
        static_cast<float>(p.x - view.viewCentreX) * scale.x + static_cast<float>(view.screenCentreX);
    const float y =
        static_cast<float>(p.y - view.viewCentreY) * scale.y + static_cast<float>(view.screenCentreY);
    // A picture of no extent has no finite scale; all of it is then one spot.
    return {patternToBoard(view, scale, p),
            {std::isfinite(x) ? std::clamp<double>(x, 0.0, kWidth) : 0.0,
             std::isfinite(y) ? std::clamp<double>(y, 0.0, kHeight) : 0.0}};
}

// Calls `visit(piece, count)` once for each outline: an outline shared with
// the pieces after it is counted once for all of them.
template <typename Visit>
void forEachOutline(std::span<const Piece> pieces, Visit visit) {
    for (std::size_t k = 0; k < pieces.size();) {
        std::size_t sharing = 1;
        while (k + sharing < pieces.size() && pieces[k + sharing].points.data() == pieces[k].points.data() &&
               pieces[k + sharing].contourSizes.data() == pieces[k].contourSizes.data()) {
            ++sharing;
        }
        visit(pieces[k], sharing);
        k += sharing;
    }
}

// Whether a window of m x n cells at `zoom`, placed at any column and row of
// `places` (inclusive), costs more than the budget. The block that every one
// of those windows lies in bounds each of their costs, so the places are
// split only while that bound exceeds the budget: a pattern within it is
// settled by a few blocks rather than a window at every place.
// `blockWork(zoom, c0, r0, c1, r1)` bounds the work inside the window of the
// block of cells c0 <= c < c1, r0 <= r < r1 at `zoom` (0 for every zoom past
// the last counted).
struct Places {
    int c0, r0, c1, r1;
};
template <typename BlockWork>
bool someWindowOverBudget(const BlockWork& blockWork, double zoom, int m, int n, Places places,
                          DrawingWork& over) {
    const DrawingWork bound = blockWork(zoom, places.c0, places.r0, places.c1 + m, places.r1 + n);
    if (bound.estimatedNanoseconds() <= kMaxFrameNanoseconds) {
        return false;
    }
    if (places.c0 == places.c1 && places.r0 == places.r1) {
        over = bound;
        return true;
    }
    Places first = places, second = places;
    if (places.c1 - places.c0 >= places.r1 - places.r0) {
        first.c1 = (places.c0 + places.c1) / 2;
        second.c0 = first.c1 + 1;
    } else {
        first.r1 = (places.r0 + places.r1) / 2;
        second.r0 = first.r1 + 1;
    }
    return someWindowOverBudget(blockWork, zoom, m, n, first, over) ||
           someWindowOverBudget(blockWork, zoom, m, n, second, over);
}

// A window at one of the game's larger zooms, up to the zoom whose window
// fits in a cell, or at any zoom beyond (the last round), over the budget.
template <typename BlockWork>
std::optional<DrawingWork> windowOverBudget(const Cells& cells, const BlockWork& blockWork) {
    bool last = false;
    for (double zoom = kZoomStep; !last; zoom *= kZoomStep) {
        const int m = cells.windowColumns(zoom), n = cells.windowRows(zoom);
        last = m <= 2 && n <= 2;
        DrawingWork over;
        if (someWindowOverBudget(blockWork, last ? 0.0 : zoom, m, n,
                                 {0, 0, cells.columns - m, cells.rows - n}, over)) {
            return over;
        }
    }
    return std::nullopt;
}

}  // namespace drawing_work
