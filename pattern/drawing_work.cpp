#include "pattern/drawing_work.h"

#include <algorithm>
#include <cstdlib>

#include "pattern/pattern.h"
#include "pattern/view_transform.h"

namespace {

using i64 = std::int64_t;

// Rows lo <= y < hi that lie on a board of `size` rows (or columns).
i64 clippedSpan(i64 a, i64 b, i64 size) {
    return std::max<i64>(0, std::min(std::max(a, b), size) - std::max<i64>(std::min(a, b), 0));
}

// A line's pixels: one per step of its longer axis, at most the board's longer side.
i64 linePixels(POINT a, POINT b) {
    const i64 length = std::max(std::abs(i64{b.x} - a.x), std::abs(i64{b.y} - a.y));
    return std::min<i64>(length, std::max(kLargestBoardWidth, kLargestBoardHeight));
}

// One piece's share: its outline converted twice (the fill converts the outer
// contour, the outlines every contour), the outer contour stroked closed with
// the fill and open with the outlines, and its number.
DrawingWork pieceWork(const Piece& piece, const ViewTransform& view, BoardScale scale) {
    DrawingWork work;
    const std::int32_t outer = piece.contourSizes.empty() ? 0 : piece.contourSizes[0];
    work.points = outer + piece.totalPoints;
    work.labels = 1;
    i64 minX = 0, maxX = -1, minY = 0, maxY = -1;
    std::int32_t start = 0;
    for (std::size_t c = 0; c < piece.contourSizes.size(); ++c) {
        const std::int32_t size = piece.contourSizes[c];
        POINT previous{};
        for (std::int32_t i = 0; i < size; ++i) {
            const POINT p = patternToBoard(view, scale, piece.points[start + i]);
            if (c == 0) {
                minX = i == 0 ? p.x : std::min<i64>(minX, p.x);
                maxX = i == 0 ? p.x : std::max<i64>(maxX, p.x);
                minY = i == 0 ? p.y : std::min<i64>(minY, p.y);
                maxY = i == 0 ? p.y : std::max<i64>(maxY, p.y);
            }
            if (i > 0) {
                work.linePixels += (c == 0 ? 2 : 1) * linePixels(previous, p);
                work.crossings += c == 0 ? clippedSpan(previous.y, p.y, kLargestBoardHeight) : 0;
            }
            previous = p;
        }
        if (c == 0 && size > 0) {
            const POINT first = patternToBoard(view, scale, piece.points[0]);
            work.linePixels += linePixels(previous, first);
            work.crossings += clippedSpan(previous.y, first.y, kLargestBoardHeight);
        }
        start += size;
    }
    work.filledPixels =
        clippedSpan(minX, maxX + 1, kLargestBoardWidth) * clippedSpan(minY, maxY + 1, kLargestBoardHeight);
    return work;
}

}  // namespace

DrawingWork measureDrawingWork(std::span<const Piece> pieces, const ViewTransform& view) {
    const BoardScale scale = boardScale(view);
    DrawingWork total, last;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        // An outline shared with the piece before costs what it did.
        const bool shared = k > 0 && pieces[k].points.data() == pieces[k - 1].points.data() &&
                            pieces[k].contourSizes.data() == pieces[k - 1].contourSizes.data();
        if (!shared) {
            last = pieceWork(pieces[k], view, scale);
        }
        total.points += last.points;
        total.crossings += last.crossings;
        total.filledPixels += last.filledPixels;
        total.linePixels += last.linePixels;
        total.labels += last.labels;
    }
    return total;
}

std::string findDrawingFault(const DrawingWork& work) {
    const i64 needed = work.estimatedNanoseconds();
    if (needed <= kMaxFrameNanoseconds) {
        return {};
    }
    return "one frame would take about " + std::to_string(needed / 1'000'000) + " ms to draw (at most " +
           std::to_string(kMaxFrameNanoseconds / 1'000'000) + ")";
}
