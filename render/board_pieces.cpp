#include "render/board_pieces.h"

#include <algorithm>
#include <vector>

#include "core/settings.h"
#include "core/window_colour.h"
#include "pattern/pattern.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"

// A scheme outside 0 ... 3 can only come from a hand-edited store; it draws as 0.
BoardScheme boardSchemeOf(const Pattern& pattern, const BoardBrushes& brushes) {
    switch (pattern.settings.ColorScheme) {
        case 1:
            return {brushes.black, RGB(255, 255, 255)};
        case 2:
            return {brushes.white, kWindowColour};
        case 3:
            return {brushes.background, RGB(255, 255, 255)};
        default:
            return {brushes.white, RGB(0, 0, 0)};
    }
}

std::int32_t contourToBoard(const ViewTransform& view, BoardScale scale, const POINT* from,
                            std::int32_t count, POINT* to) {
    std::int32_t kept = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const POINT p = patternToBoard(view, scale, from[i]);
        if (kept == 0 || p.x != to[kept - 1].x || p.y != to[kept - 1].y) {
            to[kept++] = p;
        }
    }
    if (kept == 1 && count >= 2) {
        to[kept++] = to[0];
    }
    return kept;
}

namespace {

// A visible piece's contours in this frame's pixels.
struct PlannedPiece {
    std::int32_t index;
    std::size_t firstPoint;    // into PiecePlan::points, contour 0 first
    std::size_t firstContour;  // into PiecePlan::contourSizes
    std::size_t contourCount;
};

struct PiecePlan {
    std::vector<POINT> points;  // the first pointCount hold this frame's
    std::size_t pointCount = 0;
    std::vector<std::int32_t> contourSizes;
    std::vector<PlannedPiece> pieces;
};

// Kept between frames: after the first, a frame allocates nothing.
thread_local PiecePlan piecePlan;

// Every visible piece's contours in pixels; a painted piece shows its outer contour only.
void planPieces(Pattern& pattern, PiecePlan& plan) {
    plan.pointCount = 0;
    plan.contourSizes.clear();
    plan.pieces.clear();
    const ViewTransform& view = pattern.viewTransform;
    const BoardScale scale = boardScale(view);
    for (std::int32_t k = 0; k < static_cast<std::int32_t>(pattern.pieces.size()); ++k) {
        const Piece& piece = pattern.pieces[k];
        if (!isPieceVisible(pattern, piece)) {
            continue;
        }
        const std::size_t needed = plan.pointCount + static_cast<std::size_t>(piece.totalPoints);
        if (plan.points.size() < needed) {
            plan.points.resize(std::max(needed, 2 * plan.points.size()));
        }
        const std::size_t contours = piece.painted != 0 ? std::min<std::size_t>(1, piece.contourSizes.size())
                                                        : piece.contourSizes.size();
        plan.pieces.push_back({k, plan.pointCount, plan.contourSizes.size(), contours});
        const POINT* from = piece.points.data();
        for (std::size_t c = 0; c < contours; ++c) {
            const std::int32_t kept = contourToBoard(view, scale, from, piece.contourSizes[c],
                                                     plan.points.data() + plan.pointCount);
            plan.contourSizes.push_back(kept);
            plan.pointCount += static_cast<std::size_t>(kept);
            from += piece.contourSizes[c];
        }
    }
}

}  // namespace

void drawVisiblePieces(Pattern& pattern, HDC hdc, const BoardBrushes& brushes) {
    PiecePlan& plan = piecePlan;
    planPieces(pattern, plan);
    const HBRUSH unpaintedFill = boardSchemeOf(pattern, brushes).fill;
    for (const PlannedPiece& planned : plan.pieces) {
        if (planned.contourCount == 0) {
            continue;
        }
        const Piece& piece = pattern.pieces[planned.index];
        const bool painted = piece.painted != 0;
        const HBRUSH oldBrush =
            SelectObject(hdc, painted ? pattern.colourBrush[piece.paintedColour] : unpaintedFill);
        const HPEN oldPen =
            SelectObject(hdc, painted ? pattern.colourPen[piece.paintedColour] : pattern.outlinePen);
        Polygon(hdc, plan.points.data() + planned.firstPoint, plan.contourSizes[planned.firstContour]);
        SelectObject(hdc, oldBrush);
        SelectObject(hdc, oldPen);
    }
    const HPEN oldPen = SelectObject(hdc, pattern.outlinePen);
    for (const PlannedPiece& planned : plan.pieces) {
        if (pattern.pieces[planned.index].painted != 0) {
            continue;
        }
        const POINT* points = plan.points.data() + planned.firstPoint;
        for (std::size_t c = 0; c < planned.contourCount; ++c) {
            const std::int32_t size = plan.contourSizes[planned.firstContour + c];
            Polyline(hdc, points, size);
            points += size;
        }
    }
    SelectObject(hdc, oldPen);
}
