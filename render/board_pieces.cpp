#include "render/board_pieces.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

namespace {

using Int4 = std::int32_t __attribute__((vector_size(16)));
using Float4 = float __attribute__((vector_size(16)));

// patternToBoard on two points at once, {x, y, x, y}: the same single-precision
// steps in the same order, so the same pixels, values no board can reach 0.
void twoToBoard(const POINT* from, POINT* to, Int4 centre, Float4 scale, Float4 screen) {
    Int4 units;
    std::memcpy(&units, from, sizeof units);
    const Float4 v = __builtin_convertvector(units - centre, Float4) * scale + screen;
    const Float4 low = {-2.0e9f, -2.0e9f, -2.0e9f, -2.0e9f};
    const Float4 high = {2.0e9f, 2.0e9f, 2.0e9f, 2.0e9f};
    const Int4 reachable = (v > low) & (v < high);
    const Int4 pixels = __builtin_convertvector((Float4)((Int4)v & reachable), Int4);
    std::memcpy(static_cast<void*>(to), &pixels, sizeof pixels);
}

std::uint64_t bitsOf(const POINT& p) {
    std::uint64_t bits;
    std::memcpy(&bits, &p, sizeof bits);
    return bits;
}

}  // namespace

std::int32_t contourToBoard(const ViewTransform& view, BoardScale scale, const POINT* from,
                            std::int32_t count, POINT* to) {
    if (count <= 0) {
        return 0;
    }
    const Int4 centre = {view.viewCentreX, view.viewCentreY, view.viewCentreX, view.viewCentreY};
    const Float4 scales = {scale.x, scale.y, scale.x, scale.y};
    const auto screenX = static_cast<float>(view.screenCentreX);
    const auto screenY = static_cast<float>(view.screenCentreY);
    const Float4 screen = {screenX, screenY, screenX, screenY};
    std::int32_t i = 0;
    for (; i + 2 <= count; i += 2) {
        twoToBoard(from + i, to + i, centre, scales, screen);
    }
    if (i < count) {
        to[i] = patternToBoard(view, scale, from[i]);
    }
    // Kept in place without a branch a point: whether a point repeats the one
    // before is as good as random. The point before is the last one kept or
    // the same pixel, so it is compared in a register, not read back.
    std::int32_t kept = 1;
    std::uint64_t before = bitsOf(to[0]);
    for (i = 1; i < count; ++i) {
        const POINT p = to[i];
        const std::uint64_t bits = bitsOf(p);
        to[kept] = p;
        kept += bits != before ? 1 : 0;
        before = bits;
    }
    if (kept == 1 && count >= 2) {
        to[kept++] = to[0];
    }
    return kept;
}

bool isPieceVisible(const Pattern& pattern, const Piece& piece) {
    const ViewTransform& view = pattern.viewTransform;
    const std::int32_t left = view.viewCentreX - view.visibleWidth / 2;
    const std::int32_t right = view.viewCentreX + view.visibleWidth / 2;
    const std::int32_t top = view.viewCentreY - view.visibleHeight / 2;
    const std::int32_t bottom = view.viewCentreY + view.visibleHeight / 2;
    return std::min(piece.boundsMaxX, right) > std::max(piece.boundsMinX, left) &&
           std::min(piece.boundsMaxY, bottom) > std::max(piece.boundsMinY, top);
}

namespace {

// The rows a piece or a run of an outline's lines may reach, bottom excluded.
struct RowSpan {
    LONG top, bottom;
};

// A piece drawn in one go reaches every row there is.
constexpr RowSpan kAllRows{INT32_MIN, INT32_MAX};

// A visible piece's contours in this frame's pixels.
struct PlannedPiece {
    std::int32_t index;
    std::size_t firstPoint;    // into PiecePlan::points, contour 0 first
    std::size_t firstContour;  // into PiecePlan::contourSizes
    std::size_t contourCount;
    RowSpan rows;          // the rows its pixels may reach
    std::size_t firstRun;  // into PiecePlan::runRows, when drawn in bands
};

struct PiecePlan {
    std::vector<POINT> points;  // the first pointCount hold this frame's
    std::size_t pointCount = 0;
    std::vector<std::int32_t> contourSizes;
    std::vector<PlannedPiece> pieces;
    std::vector<RowSpan> runRows;  // by run of kRunLines lines, contour by contour
    bool inBands = false;          // whether the rows above were worked out
};

// In bands, the outline of a piece that crosses a band's edge is drawn in runs
// of this many lines, and only the runs that reach the band: the lines are
// the same, as a line's pixels do not depend on the ones beside it.
constexpr std::int32_t kRunLines = 32;

// Kept between frames: after the first, a frame allocates nothing.
thread_local PiecePlan piecePlan;

// The rows the points first ... last (inclusive) may reach, drawn as a fill
// (its rows lie between its highest and lowest points) or as lines with the
// board's pens, which are one pixel wide (a line's pixels lie on the rows
// between its ends, both included).
RowSpan rowsReached(const POINT* first, const POINT* last) {
    LONG highest = first->y;
    LONG lowest = highest;
    for (const POINT* p = first + 1; p <= last; ++p) {
        highest = std::min(highest, p->y);
        lowest = std::max(lowest, p->y);
    }
    return {highest, lowest + 1};
}

void setRowsReached(PiecePlan& plan, PlannedPiece& planned) {
    if (planned.firstPoint == plan.pointCount) {
        return;  // no point: nothing to draw, in any band
    }
    planned.rows = rowsReached(&plan.points[planned.firstPoint], &plan.points[plan.pointCount - 1]);
    planned.firstRun = plan.runRows.size();
    const POINT* contour = &plan.points[planned.firstPoint];
    for (std::size_t c = 0; c < planned.contourCount; ++c) {
        const std::int32_t size = plan.contourSizes[planned.firstContour + c];
        for (std::int32_t from = 0; from + 1 < size; from += kRunLines) {
            plan.runRows.push_back(
                rowsReached(contour + from, contour + std::min(from + kRunLines, size - 1)));
        }
        contour += size;
    }
}

// Every visible piece's contours in pixels; a painted piece shows its outer contour only.
void planPieces(Pattern& pattern, PiecePlan& plan, bool inBands) {
    plan.pointCount = 0;
    plan.contourSizes.clear();
    plan.pieces.clear();
    plan.runRows.clear();
    plan.inBands = inBands;
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
        PlannedPiece& planned = plan.pieces.emplace_back(
            PlannedPiece{k, plan.pointCount, plan.contourSizes.size(), contours, kAllRows, 0});
        const POINT* from = piece.points.data();
        for (std::size_t c = 0; c < contours; ++c) {
            const std::int32_t kept = contourToBoard(view, scale, from, piece.contourSizes[c],
                                                     plan.points.data() + plan.pointCount);
            plan.contourSizes.push_back(kept);
            plan.pointCount += static_cast<std::size_t>(kept);
            from += piece.contourSizes[c];
        }
        if (inBands) {
            setRowsReached(plan, planned);
        }
    }
}

// An unpainted piece's fill as the fill pass of the full redraw draws it. Its
// border would be drawn again by the outline pass, after every fill and in
// the same pen, over the same pixels but for the closing line from the last
// point to the first, which the open outline leaves out; that line alone is
// drawn here, so the pixels come out the same with one walk of the outline
// fewer.
void fillUnpainted(const Pattern& pattern, HDC hdc, HBRUSH fill, const POINT* points, std::int32_t count) {
    const HBRUSH oldBrush = SelectObject(hdc, fill);
    const HPEN oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
    Polygon(hdc, points, count);
    SelectObject(hdc, pattern.outlinePen);
    if (count >= 2) {
        const POINT closing[] = {points[count - 1], points[0]};
        Polyline(hdc, closing, 2);
    }
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
}

void fillPainted(const Pattern& pattern, HDC hdc, const Piece& piece, const POINT* points,
                 std::int32_t count) {
    const HBRUSH oldBrush = SelectObject(hdc, pattern.colourBrush[piece.paintedColour]);
    const HPEN oldPen = SelectObject(hdc, pattern.colourPen[piece.paintedColour]);
    Polygon(hdc, points, count);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
}

}  // namespace

void planVisiblePieces(Pattern& pattern, bool inBands) {
    planPieces(pattern, piecePlan, inBands);
}

void drawPlannedPieces(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, LONG top, LONG bottom) {
    const PiecePlan& plan = piecePlan;
    const auto beside = [&](const PlannedPiece& planned) {
        return planned.rows.bottom <= top || planned.rows.top >= bottom;
    };
    const HBRUSH unpaintedFill = boardSchemeOf(pattern, brushes).fill;
    for (const PlannedPiece& planned : plan.pieces) {
        if (planned.contourCount == 0 || beside(planned)) {
            continue;
        }
        const Piece& piece = pattern.pieces[planned.index];
        const POINT* points = plan.points.data() + planned.firstPoint;
        const std::int32_t outer = plan.contourSizes[planned.firstContour];
        if (piece.painted != 0) {
            fillPainted(pattern, hdc, piece, points, outer);
        } else {
            fillUnpainted(pattern, hdc, unpaintedFill, points, outer);
        }
    }
    const HPEN oldPen = SelectObject(hdc, pattern.outlinePen);
    for (const PlannedPiece& planned : plan.pieces) {
        if (pattern.pieces[planned.index].painted != 0 || beside(planned)) {
            continue;
        }
        const bool withinBand = !plan.inBands || (planned.rows.top >= top && planned.rows.bottom <= bottom);
        const POINT* points = plan.points.data() + planned.firstPoint;
        const RowSpan* run = plan.runRows.data() + planned.firstRun;
        for (std::size_t c = 0; c < planned.contourCount; ++c) {
            const std::int32_t size = plan.contourSizes[planned.firstContour + c];
            if (withinBand) {
                Polyline(hdc, points, size);
            } else {
                for (std::int32_t from = 0; from + 1 < size; from += kRunLines, ++run) {
                    if (run->bottom > top && run->top < bottom) {
                        Polyline(hdc, points + from, std::min(kRunLines, size - 1 - from) + 1);
                    }
                }
            }
            points += size;
        }
    }
    SelectObject(hdc, oldPen);
}
