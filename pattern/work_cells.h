// The largest board at zoom 1 cut into square cells, a point's spot on it,
// and a pattern's outlines each taken once: what the bounds of a pattern's
// drawing work are counted in.
#pragma once

#include <algorithm>
#include <cmath>
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

// A point's place on the board at zoom 1 in single precision, before it is
// truncated or clamped.
struct Image {
    float x, y;
};
inline Image imageOf(const ViewTransform& view, BoardScale scale, POINT p) {
    return {static_cast<float>(p.x - view.viewCentreX) * scale.x + static_cast<float>(view.screenCentreX),
            static_cast<float>(p.y - view.viewCentreY) * scale.y + static_cast<float>(view.screenCentreY)};
}

inline Mapped mapped(const ViewTransform& view, BoardScale scale, POINT p) {
    const auto [x, y] = imageOf(view, scale, p);
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

}  // namespace drawing_work
