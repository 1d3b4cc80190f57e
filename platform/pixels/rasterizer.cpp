#include "platform/pixels/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/pixels/crossed_rows.h"
#include "platform/pixels/pixel_run.h"

namespace platform {

namespace {

using i64 = std::int64_t;
using i128 = __int128;

i128 floorDiv(i128 a, i128 b) {  // b > 0
    // Nearly every division the rasteriser makes fits in 64 bits, which the
    // hardware divides far faster than the 128-bit routine.
    constexpr i128 limit = i128{1} << 62;
    if (a > -limit && a < limit && b < limit) {
        const i64 a64 = static_cast<i64>(a);
        const i64 b64 = static_cast<i64>(b);
        i64 q = a64 / b64;
        if (a64 % b64 != 0 && a64 < 0) {
            --q;
        }
        return q;
    }
    i128 q = a / b;
    if (a % b != 0 && a < 0) {
        --q;
    }
    return q;
}

i128 ceilDiv(i128 a, i128 b) {
    return -floorDiv(-a, b);
}

// floor(dx / dy) for dy > 0; steep edges, the usual case, need no division.
i64 floorStep(i64 dx, i64 dy) {
    return (dx >= 0 && dx < dy) ? 0 : (dx < 0 && -dx <= dy) ? -1 : static_cast<i64>(floorDiv(dx, dy));
}

// Horizontal run x0 <= x < x1 on row y, in surface coordinates.
void span(const Canvas& c, i64 y, i64 x0, i64 x1, Pixel colour) {
    if (y < c.clipTop || y >= c.clipBottom) {
        return;
    }
    x0 = std::max<i64>(x0, c.clipLeft);
    x1 = std::min<i64>(x1, c.clipRight);
    if (x0 < x1) {
        Pixel* row = c.surface->row(static_cast<int>(y));
        fillPixels(row + x0, static_cast<std::size_t>(x1 - x0), colour);
    }
}

// Box in surface coordinates, right and bottom excluded.
void box(const Canvas& c, i64 left, i64 top, i64 right, i64 bottom, Pixel colour) {
    top = std::max<i64>(top, c.clipTop);
    bottom = std::min<i64>(bottom, c.clipBottom);
    for (i64 y = top; y < bottom; ++y) {
        span(c, y, left, right, colour);
    }
}

// ---- Polygon fill -------------------------------------------------------

// An edge's crossing one row down: x moves by stepQ, and by one more when the
// remainder runs out. Without a branch: whether it runs out on a row is as
// good as random for most slopes.
[[gnu::always_inline]] inline void stepAlong(i64& x, i64& rem, i64 stepQ, i64 stepR, i64 dy) {
    rem -= stepR;
    const i64 carry = rem < 0 ? 1 : 0;
    x += stepQ + carry;
    rem += carry * dy;
}

// The smallest box holding every point, in canvas coordinates (inclusive).
struct PointBounds {
    i64 minX, maxX, minY, maxY;
};
PointBounds boundsOf(const POINT* points, int count) {
    PointBounds b{points[0].x, points[0].x, points[0].y, points[0].y};
    for (int i = 1; i < count; ++i) {
        b.minX = std::min<i64>(b.minX, points[i].x);
        b.maxX = std::max<i64>(b.maxX, points[i].x);
        b.minY = std::min<i64>(b.minY, points[i].y);
        b.maxY = std::max<i64>(b.maxY, points[i].y);
    }
    return b;
}

// The fill keeps no list of edges to sort. Each edge flips, on every row it
// crosses, one bit: that of the first pixel at or right of its crossing, in
// a mask of the polygon's box with a bit a column. Along a row the set bits
// then alternately start and end the inside runs: a pixel is inside when an
// odd number of crossings lie at or left of it, which is the even-odd rule.
// A crossing left of the clip counts as one at its left side and one right of
// it is dropped; neither changes which pixels of the clip are inside.
struct CrossingMask {
    std::vector<std::uint64_t> words;  // rows of `stride` words; all 0 between polygons
    std::vector<std::uint8_t> leftFlips;
    std::vector<std::uint64_t> smallRows;  // see fillSmallPolygon
    i64 left = 0, right = 0;               // the columns of the first and the last bit
    i64 top = 0, bottom = 0;               // the rows, bottom excluded
    std::size_t stride = 0;

    std::uint64_t* row(i64 y) { return words.data() + static_cast<std::size_t>(y - top) * stride; }
};

// Kept between calls: after the first few polygons, filling allocates nothing.
thread_local CrossingMask crossingMask;

// One edge in surface coordinates, its upper end first (y0 < y1).
struct EdgeWalk {
    i64 y, yEnd;  // the rows it crosses inside the clip, yEnd excluded
    i64 x, rem;   // the crossing on row y is x - rem / dy, 0 <= rem < dy
    i64 dy, stepQ, stepR;
};

// Rows y0 <= y < y1: the top end counts, the bottom end does not.
EdgeWalk edgeFrom(i64 x0, i64 y0, i64 x1, i64 y1, i64 yStart, i64 yEnd) {
    const i64 dy = y1 - y0;
    const i64 dx = x1 - x0;
    // An edge that starts inside the clip (the usual case) needs no division
    // here, and one that crosses a single row of it (many, on curves) no step.
    const i128 numerator = static_cast<i128>(yStart - y0) * dx;
    const i128 offset = yStart == y0 ? 0 : ceilDiv(numerator, dy);
    const i64 stepQ = yEnd - yStart > 1 ? floorStep(dx, dy) : 0;
    return {
        yStart, yEnd,           x0 + static_cast<i64>(offset), static_cast<i64>(offset * dy - numerator), dy,
        stepQ,  dx - stepQ * dy};
}

// Flips the crossings of an edge; with `clamp`, a crossing outside the mask's
// columns flips the nearest one.
template <bool clamp>
void flipCrossings(CrossingMask& mask, EdgeWalk e) {
    std::uint64_t* row = mask.row(e.y);
    for (; e.y < e.yEnd; ++e.y, row += mask.stride) {
        const i64 column = (clamp ? std::clamp(e.x, mask.left, mask.right) : e.x) - mask.left;
        row[column >> 6] ^= std::uint64_t{1} << (column & 63);
        stepAlong(e.x, e.rem, e.stepQ, e.stepR, e.dy);
    }
}

// An edge whose crossings all lie left of the clip (or on its left side) only
// flips which side of it is inside: it is kept as a flip at both ends of its
// rows, summed down the rows at the end. A zoomed-in frame of a piece with
// thousands of edges beside the window then costs what crosses the window.
void flipLeftOfClip(CrossingMask& mask, const EdgeWalk& e) {
    if (mask.leftFlips.empty()) {
        mask.leftFlips.assign(static_cast<std::size_t>(mask.bottom - mask.top + 1), 0);
    }
    mask.leftFlips[static_cast<std::size_t>(e.y - mask.top)] ^= 1;
    mask.leftFlips[static_cast<std::size_t>(e.yEnd - mask.top)] ^= 1;
}

void addEdge(CrossingMask& mask, const Canvas& c, i64 x0, i64 y0, i64 x1, i64 y1) {
    if (y0 == y1) {
        return;  // a horizontal edge bounds no row
    }
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const i64 yStart = std::max<i64>(y0, c.clipTop);
    const i64 yEnd = std::min<i64>(y1, c.clipBottom);
    if (yStart >= yEnd) {
        return;
    }
    const EdgeWalk e = edgeFrom(x0, y0, x1, y1, yStart, yEnd);
    // Every crossing lies between the ends, so an edge whose ends lie within
    // the clip's sides needs no clamping.
    if (std::min(x0, x1) >= c.clipLeft && std::max(x0, x1) <= c.clipRight) {
        flipCrossings<false>(mask, e);
        return;
    }
    // The crossings on the first and the last row: between them lie all the others.
    const i64 xLast = x0 + static_cast<i64>(ceilDiv(static_cast<i128>(yEnd - 1 - y0) * (x1 - x0), y1 - y0));
    if (std::min(e.x, xLast) >= c.clipRight) {
        return;  // it only ends runs the clip cuts off
    }
    if (std::max(e.x, xLast) <= c.clipLeft) {
        flipLeftOfClip(mask, e);
        return;
    }
    flipCrossings<true>(mask, e);
}

// Fills the inside runs row by row, clearing the mask as it goes.
void fillFromMask(CrossingMask& mask, const Canvas& c, Pixel colour) {
    const i64 pixelStride = c.surface->width();
    fillCrossedRows(CrossedRows{mask.words.data(), mask.stride, mask.bottom - mask.top,
                                mask.leftFlips.empty() ? nullptr : mask.leftFlips.data(),
                                c.surface->row(static_cast<int>(mask.top)) + mask.left, pixelStride,
                                std::min<i64>(c.clipRight - mask.left, static_cast<i64>(mask.stride) * 64)},
                    colour);
    mask.leftFlips.clear();
}

// Most polygons the board draws are small pieces wholly on the surface,
// which take one 64-bit word a row of the crossing mask above and need no
// clipping. Same crossings, same rules; answers false (and draws nothing)
// for a polygon it cannot take.
bool fillSmallPolygon(const Canvas& c, const POINT* points, int count, const PointBounds& b, Pixel colour) {
    const i64 minX = b.minX + c.originX;
    const i64 maxX = b.maxX + c.originX;
    const i64 minY = b.minY + c.originY;
    const i64 maxY = b.maxY + c.originY;
    // Crossings lie in minX ... maxX, so bit maxX - minX is the last one used.
    if (maxX - minX > 63 || minX < c.clipLeft || maxX > c.clipRight || minY < c.clipTop ||
        maxY > c.clipBottom) {
        return false;
    }
    auto& masks = crossingMask.smallRows;
    masks.assign(static_cast<std::size_t>(maxY - minY), 0);
    for (int i = 0; i < count; ++i) {
        const POINT* a = &points[i];
        const POINT* b = &points[i + 1 < count ? i + 1 : 0];
        if (a->y == b->y) {
            continue;
        }
        if (a->y > b->y) {
            std::swap(a, b);
        }
        // All relative to the box: x and y from 0, dx and dy small.
        const i64 dy = i64{b->y} - a->y;
        const i64 dx = i64{b->x} - a->x;
        const i64 stepQ = dy > 1 ? floorStep(dx, dy) : 0;
        const i64 stepR = dx - stepQ * dy;
        i64 x = a->x + c.originX - minX;
        i64 rem = 0;
        std::uint64_t* mask = masks.data() + (a->y + c.originY - minY);
        for (i64 row = 0; row < dy; ++row) {
            mask[row] ^= std::uint64_t{1} << x;
            stepAlong(x, rem, stepQ, stepR, dy);
        }
    }
    // Every row crosses the outline an even number of times, so no inside
    // run reaches past the box.
    fillCrossedRows(CrossedRows{masks.data(), 1, maxY - minY, nullptr,
                                c.surface->row(static_cast<int>(minY)) + minX, c.surface->width(), 64},
                    colour);
    return true;
}

// The fill of a polygon whose point bounds are `b`, computed once by the
// caller for the fill and the outline both.
void fillPolygonWithin(const Canvas& c, const POINT* points, int count, const PointBounds& b, Pixel colour) {
    if (fillSmallPolygon(c, points, count, b, colour)) {
        return;
    }
    CrossingMask& mask = crossingMask;
    mask.left = std::clamp<i64>(b.minX + c.originX, c.clipLeft, c.clipRight);
    mask.right = std::clamp<i64>(b.maxX + c.originX, c.clipLeft, c.clipRight);
    mask.top = std::max<i64>(b.minY + c.originY, c.clipTop);
    mask.bottom = std::min<i64>(b.maxY + c.originY, c.clipBottom);
    // Wholly beside the clip, it has no inside pixel in it.
    if (mask.top >= mask.bottom || mask.left >= c.clipRight || b.maxX + c.originX <= c.clipLeft) {
        return;
    }
    mask.stride = static_cast<std::size_t>((mask.right - mask.left) / 64 + 1);
    const std::size_t size = mask.stride * static_cast<std::size_t>(mask.bottom - mask.top);
    if (mask.words.size() < size) {
        mask.words.resize(size);
    }
    for (int i = 0; i < count; ++i) {
        const POINT& p = points[i];
        const POINT& q = points[i + 1 < count ? i + 1 : 0];
        addEdge(mask, c, p.x + c.originX, p.y + c.originY, q.x + c.originX, q.y + c.originY);
    }
    fillFromMask(mask, c, colour);
}

// ---- Lines --------------------------------------------------------------

// A line's pixels as a walk along its major axis: one pixel a step, and one
// pixel across whenever the exactly rounded minor coordinate moves. The error
// term is kept mirrored when the line runs towards smaller minor coordinates,
// so that a move across is always `err >= errLimit`, whichever way it goes.
struct LineWalk {
    bool xMajor;
    i64 major, majorDirection;  // the first pixel's major coordinate; +1 or -1
    i64 minor, minorDirection;  // the first pixel's minor coordinate; +1 or -1
    i64 steps;                  // pixels to walk
    i64 err, errStep, errLimit;
};

// The walk of the line from (x0, y0) towards (x1, y1), its end left out.
// Along the minor axis the exact line is rounded to the nearest pixel, halves
// towards larger coordinates.
[[gnu::always_inline]] inline LineWalk walkFrom(i64 x0, i64 y0, i64 x1, i64 y1) {
    const i64 dx = x1 - x0;
    const i64 dy = y1 - y0;
    const i64 adx = dx < 0 ? -dx : dx;
    const i64 ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const i64 dn = xMajor ? dy : dx;
    const i64 len = xMajor ? adx : ady;
    // The error starts at len, half a pixel, mirrored to len - 1 downward
    // (see below), so that the minor coordinate is round(i * dn / len).
    return LineWalk{
        xMajor, xMajor ? x0 : y0,       (xMajor ? dx : dy) < 0 ? -1 : 1, xMajor ? y0 : x0, dn < 0 ? -1 : 1,
        len,    dn < 0 ? len - 1 : len, 2 * (dn < 0 ? -dn : dn),         2 * len};
}

// Cuts a walk from the line's start to the clip along the major axis, with
// the end pixel added when `includeEnd`. False when no pixel is left.
bool cutToClip(const Canvas& c, bool includeEnd, LineWalk& w) {
    const i64 len = w.steps;
    const i64 m0 = w.major;
    const i64 s = w.majorDirection;
    const i64 clipLo = w.xMajor ? c.clipLeft : c.clipTop;
    const i64 clipHi = w.xMajor ? c.clipRight : c.clipBottom;
    const i64 first = std::max<i64>(0, s > 0 ? clipLo - m0 : m0 - (clipHi - 1));
    const i64 last = std::min(includeEnd ? len : len - 1, s > 0 ? clipHi - 1 - m0 : m0 - clipLo);
    if (first > last) {
        return false;
    }
    if (first > 0) {
        // n = n0 + floor((2 first dn + len) / 2 len), the error what is left.
        const i64 dn = w.minorDirection * (w.errStep / 2);
        const i128 twoLen = static_cast<i128>(2) * len;
        const i128 numerator = static_cast<i128>(2) * first * dn + len;
        const i128 q = floorDiv(numerator, twoLen);
        const i64 err = static_cast<i64>(numerator - q * twoLen);  // 0 <= err < 2 len
        w.minor += static_cast<i64>(q);
        // Moving down when err + 2 dn < 0 is moving up when the mirror
        // 2 len - 1 - err, stepped by 2 |dn|, reaches 2 len.
        w.err = dn < 0 ? 2 * len - 1 - err : err;
    }
    w.major = m0 + s * first;
    w.steps = last - first + 1;
    return true;
}

// Walks the line: pen.plot() on each pixel, then pen.advance(across), with
// `across` true when the next pixel is one across the major axis too.
template <class Pen>
[[gnu::always_inline]] inline void walkLine(const LineWalk& w, Pen& pen) {
    i64 err = w.err;
    for (i64 i = 0; i < w.steps; ++i) {
        pen.plot();
        err += w.errStep;
        const bool across = err >= w.errLimit;
        err -= across ? w.errLimit : 0;
        pen.advance(across);
    }
}

// A one-pixel pen: an index through the surface's pixels.
struct ThinPen {
    Pixel* pixels;
    i64 index, majorStep, minorStep;
    Pixel colour;

    void plot() { pixels[index] = colour; }
    void advance(bool across) { index += majorStep + (across ? minorStep : 0); }
};

// A wider pen: on each pixel of the line, a run across the major axis from
// offset lo to hi, cut to the clip.
struct WidePen {
    Surface& surface;
    bool xMajor;
    i64 major, majorDirection, minor, minorDirection;
    i64 lo, hi, minorLo, minorHi;
    Pixel colour;

    void plot() {
        const i64 from = std::max(minor + lo, minorLo);
        const i64 to = std::min(minor + hi, minorHi - 1);
        if (xMajor) {
            for (i64 y = from; y <= to; ++y) {
                surface.set(static_cast<int>(major), static_cast<int>(y), colour);
            }
        } else if (from <= to) {
            Pixel* row = surface.row(static_cast<int>(major));
            std::fill(row + from, row + to + 1, colour);
        }
    }
    void advance(bool across) {
        major += majorDirection;
        minor += across ? minorDirection : 0;
    }
};

// A one-pixel pen at the walk's first pixel.
[[gnu::always_inline]] inline ThinPen thinPenAt(Surface& surface, const LineWalk& w, Pixel colour) {
    const i64 stride = surface.width();
    return {surface.pixels().data(), w.xMajor ? w.minor * stride + w.major : w.major * stride + w.minor,
            w.xMajor ? w.majorDirection : w.majorDirection * stride,
            (w.xMajor ? stride : 1) * w.minorDirection, colour};
}

// Cuts a walk to the pixels whose minor coordinate lies in lo <= n < hi, so
// that a line crossing a corner of the clip, or passing beside it, walks only
// what it draws. False when no pixel is left.
bool cutAcross(LineWalk& w, i64 lo, i64 hi) {
    // After i steps the walk has moved floor((err + i errStep) / errLimit) across.
    const i64 fewest = w.minorDirection > 0 ? lo - w.minor : w.minor - (hi - 1);
    const i64 most = w.minorDirection > 0 ? hi - 1 - w.minor : w.minor - lo;
    if (most < 0 || (w.errStep == 0 && fewest > 0)) {
        return false;
    }
    i128 first = 0;
    i128 last = w.steps - 1;
    if (w.errStep != 0) {
        if (fewest > 0) {
            first = ceilDiv(static_cast<i128>(fewest) * w.errLimit - w.err, w.errStep);
        }
        last = std::min(last, ceilDiv(static_cast<i128>(most + 1) * w.errLimit - w.err, w.errStep) - 1);
    }
    if (first > last) {
        return false;
    }
    const i128 travelled = w.err + first * w.errStep;
    const i128 moves = floorDiv(travelled, w.errLimit);
    w.err = static_cast<i64>(travelled - moves * w.errLimit);
    w.minor += w.minorDirection * static_cast<i64>(moves);
    w.major += w.majorDirection * static_cast<i64>(first);
    w.steps = static_cast<i64>(last - first + 1);
    return true;
}

// The pixels of the line from (x0, y0) towards (x1, y1), the start included
// and the end only when `includeEnd`. Each pixel grows across the minor axis
// from offset lo to hi (0, 0 for a thin line).
void segment(const Canvas& c, i64 x0, i64 y0, i64 x1, i64 y1, bool includeEnd, i64 lo, i64 hi, Pixel colour) {
    if (x0 == x1 && y0 == y1) {
        if (includeEnd) {
            box(c, x0 + lo, y0 + lo, x0 + hi + 1, y0 + hi + 1, colour);
        }
        return;
    }
    LineWalk w = walkFrom(x0, y0, x1, y1);
    if (!cutToClip(c, includeEnd, w)) {
        return;
    }
    const i64 minorLo = w.xMajor ? c.clipTop : c.clipLeft;
    const i64 minorHi = w.xMajor ? c.clipBottom : c.clipRight;
    // A pixel draws when its run from minor + lo to minor + hi meets the clip.
    const i64 minorEnd = w.xMajor ? y1 : x1;
    const bool inside =
        std::min(w.minor, minorEnd) >= minorLo - hi && std::max(w.minor, minorEnd) < minorHi - lo;
    if (!inside && !cutAcross(w, minorLo - hi, minorHi - lo)) {
        return;  // wholly beside the clip: a zoomed-in frame walks none of it
    }
    if (lo != 0 || hi != 0) {
        WidePen pen{*c.surface, w.xMajor, w.major, w.majorDirection, w.minor, w.minorDirection,
                    lo,         hi,       minorLo, minorHi,          colour};
        walkLine(w, pen);
        return;
    }
    auto pen = thinPenAt(*c.surface, w, colour);
    walkLine(w, pen);
}

// The pixels of every thin line of at most kShortSteps steps, walked once:
// such a line, most of a board's outlines, is then drawn with a fixed number
// of stores and no loop whose end the processor would have to guess. The
// places past a line's last pixel repeat its first, which it draws anyway.
constexpr i64 kShortSteps = 8;
struct ShortLine {
    std::int8_t x[kShortSteps];
    std::int8_t y[kShortSteps];
};
constexpr i64 kShortSide = 2 * kShortSteps + 1;

// The walk's pixels, written down relative to its start.
struct RecordingPen {
    ShortLine& line;
    LineWalk w;
    int count = 0;

    void plot() {
        line.x[count] = static_cast<std::int8_t>(w.xMajor ? w.major : w.minor);
        line.y[count] = static_cast<std::int8_t>(w.xMajor ? w.minor : w.major);
        ++count;
    }
    void advance(bool across) {
        w.major += w.majorDirection;
        w.minor += across ? w.minorDirection : 0;
    }
};

// The line from (0, 0) by (dx, dy), each within kShortSteps and not both 0.
const ShortLine& shortLine(i64 dx, i64 dy) {
    static const std::vector<ShortLine> lines = [] {
        std::vector<ShortLine> all(kShortSide * kShortSide);
        for (i64 y = -kShortSteps; y <= kShortSteps; ++y) {
            for (i64 x = -kShortSteps; x <= kShortSteps; ++x) {
                ShortLine& line =
                    all[static_cast<std::size_t>((y + kShortSteps) * kShortSide + x + kShortSteps)];
                const LineWalk w = walkFrom(0, 0, x, y);
                RecordingPen pen{line, w};
                walkLine(w, pen);
                std::fill(line.x + pen.count, line.x + kShortSteps, line.x[0]);
                std::fill(line.y + pen.count, line.y + kShortSteps, line.y[0]);
            }
        }
        return all;
    }();
    return lines[static_cast<std::size_t>((dy + kShortSteps) * kShortSide + dx + kShortSteps)];
}

// A thin line wholly inside the clip, its end left out: the same walk with
// nothing to cut, for the outlines of the many small pieces on a board.
void thinSegmentInside(Surface& surface, i64 x0, i64 y0, i64 x1, i64 y1, Pixel colour) {
    const i64 dx = x1 - x0;
    const i64 dy = y1 - y0;
    if (dx >= -kShortSteps && dx <= kShortSteps && dy >= -kShortSteps && dy <= kShortSteps) {
        if (dx == 0 && dy == 0) {
            return;
        }
        const ShortLine& line = shortLine(dx, dy);
        const i64 stride = surface.width();
        Pixel* start = surface.row(static_cast<int>(y0)) + x0;
#pragma GCC unroll 8
        for (i64 k = 0; k < kShortSteps; ++k) {
            start[line.y[k] * stride + line.x[k]] = colour;
        }
        return;
    }
    const LineWalk w = walkFrom(x0, y0, x1, y1);
    auto pen = thinPenAt(surface, w, colour);
    walkLine(w, pen);
}

// ---- Ellipses -----------------------------------------------------------

// An ellipse inscribed in a box, in surface coordinates. Pixel (x, y) is
// inside when the centre of its square, (x + 1/2, y + 1/2), lies in the
// ellipse that touches the box's edges. Kept doubled so all is integral:
// X = 2x + 1 - (left + right), inside when X^2 RY^2 + Y^2 RX^2 <= RX^2 RY^2.
struct EllipseShape {
    i64 left, top, right, bottom;

    bool empty() const { return right <= left || bottom <= top; }

    EllipseShape grown(i64 by) const { return {left - by, top - by, right + by, bottom + by}; }

    // The inside pixels of row y: xl <= x <= xr. False when there are none.
    bool row(i64 y, i64& xl, i64& xr) const {
        if (empty() || y < top || y >= bottom) {
            return false;
        }
        const i64 rx = right - left;
        const i64 ry = bottom - top;
        const i64 sx = left + right;
        const i64 yy = 2 * y + 1 - (top + bottom);
        const long double t = static_cast<long double>(yy) / static_cast<long double>(ry);
        const long double h = static_cast<long double>(rx) * std::sqrt(std::max(0.0L, 1.0L - t * t));
        xl = static_cast<i64>(std::ceil((static_cast<long double>(sx - 1) - h) / 2));
        xr = static_cast<i64>(std::floor((static_cast<long double>(sx - 1) + h) / 2));
        // Floating point may be a pixel off where the edge passes through a
        // pixel centre; settle those exactly while the products fit.
        constexpr i64 exactLimit = i64{1} << 30;
        if (rx < exactLimit && ry < exactLimit && yy < 2 * exactLimit && -yy < 2 * exactLimit) {
            const i128 rx2 = static_cast<i128>(rx) * rx;
            const i128 ry2 = static_cast<i128>(ry) * ry;
            const i128 limit = rx2 * ry2 - static_cast<i128>(yy) * yy * rx2;
            auto inside = [&](i64 x) {
                const i128 xx = static_cast<i128>(2) * x + 1 - sx;
                return xx * xx * ry2 <= limit;
            };
            while (xl <= xr && !inside(xl)) {
                ++xl;
            }
            while (inside(xl - 1)) {
                --xl;
            }
            while (xr >= xl && !inside(xr)) {
                --xr;
            }
            while (inside(xr + 1)) {
                ++xr;
            }
        }
        return xl <= xr;
    }

    // The inside pixels of row y whose four neighbours are all inside.
    bool interior(i64 y, i64& xl, i64& xr) const {
        i64 l0, r0, lu, ru, ld, rd;
        if (!row(y, l0, r0) || !row(y - 1, lu, ru) || !row(y + 1, ld, rd)) {
            return false;
        }
        xl = std::max({l0 + 1, lu, ld});
        xr = std::min({r0 - 1, ru, rd});
        return xl <= xr;
    }
};

}  // namespace

Canvas wholeSurface(Surface& surface) {
    return Canvas{&surface, 0, 0, surface.width(), surface.height(), 0, 0};
}

Canvas clippedTo(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom) {
    Canvas c = canvas;
    c.clipLeft = static_cast<int>(std::clamp<i64>(left + c.originX, c.clipLeft, c.clipRight));
    c.clipRight = static_cast<int>(std::clamp<i64>(right + c.originX, c.clipLeft, c.clipRight));
    c.clipTop = static_cast<int>(std::clamp<i64>(top + c.originY, c.clipTop, c.clipBottom));
    c.clipBottom = static_cast<int>(std::clamp<i64>(bottom + c.originY, c.clipTop, c.clipBottom));
    return c;
}

void fillBox(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right,
             std::int64_t bottom, Pixel colour) {
    if (canvas.empty()) {
        return;
    }
    box(canvas, left + canvas.originX, top + canvas.originY, right + canvas.originX, bottom + canvas.originY,
        colour);
}

namespace {

// A thin outline wholly inside the clip, drawn without clipping; false (and
// nothing drawn) when its bounds `b` reach outside.
bool strokeThinInside(const Canvas& c, const POINT* points, int count, bool closed, const PointBounds& b,
                      Pixel colour) {
    if (b.minX + c.originX < c.clipLeft || b.maxX + c.originX >= c.clipRight ||
        b.minY + c.originY < c.clipTop || b.maxY + c.originY >= c.clipBottom) {
        return false;
    }
    const int segments = closed ? count : count - 1;
    const i64 stride = c.surface->width();
    Pixel* pixels = c.surface->pixels().data();
    for (int i = 0; i < segments; ++i) {
        const POINT& a = points[i];
        const POINT& z = points[i + 1 < count ? i + 1 : 0];
        const i64 dx = i64{z.x} - a.x;
        const i64 dy = i64{z.y} - a.y;
        if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
            // A step to a neighbouring pixel (most of a small piece's outline)
            // draws its start alone; a step of none draws nothing.
            if (dx != 0 || dy != 0) {
                pixels[(a.y + c.originY) * stride + a.x + c.originX] = colour;
            }
            continue;
        }
        thinSegmentInside(*c.surface, a.x + c.originX, a.y + c.originY, z.x + c.originX, z.y + c.originY,
                          colour);
    }
    return true;
}

void strokeClipped(const Canvas& c, const POINT* points, int count, bool closed, int width, Pixel colour) {
    const bool wide = width > 1;
    const i64 lo = wide ? -(i64{width} / 2) : 0;
    const i64 hi = wide ? lo + width - 1 : 0;
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[i + 1 < count ? i + 1 : 0];
        const i64 x0 = a.x + c.originX, y0 = a.y + c.originY, x1 = b.x + c.originX, y1 = b.y + c.originY;
        // A line's pixels lie in its ends' box, grown by the pen: one wholly
        // beside the clip (a board drawn in bands has many) is passed by, and
        // a thin one wholly inside needs no cutting.
        const i64 left = std::min(x0, x1) + lo, right = std::max(x0, x1) + hi;
        const i64 top = std::min(y0, y1) + lo, bottom = std::max(y0, y1) + hi;
        if (right < c.clipLeft || left >= c.clipRight || bottom < c.clipTop || top >= c.clipBottom) {
            continue;
        }
        if (!wide && left >= c.clipLeft && right < c.clipRight && top >= c.clipTop && bottom < c.clipBottom) {
            thinSegmentInside(*c.surface, x0, y0, x1, y1, colour);
            continue;
        }
        segment(c, x0, y0, x1, y1, wide, lo, hi, colour);
    }
    if (wide) {
        // A square of the pen's width on every vertex closes the corners.
        for (int i = 0; i < count; ++i) {
            const i64 x = points[i].x + c.originX;
            const i64 y = points[i].y + c.originY;
            box(c, x + lo, y + lo, x + hi + 1, y + hi + 1, colour);
        }
    }
}

}  // namespace

void fillPolygon(const Canvas& c, const POINT* points, int count, Pixel colour) {
    if (c.empty() || points == nullptr || count < 3) {
        return;
    }
    fillPolygonWithin(c, points, count, boundsOf(points, count), colour);
}

void strokePolyline(const Canvas& c, const POINT* points, int count, bool closed, int width, Pixel colour) {
    if (c.empty() || points == nullptr || count < 2) {
        return;
    }
    if (width <= 1 && strokeThinInside(c, points, count, closed, boundsOf(points, count), colour)) {
        return;
    }
    strokeClipped(c, points, count, closed, width, colour);
}

void drawPolygon(const Canvas& c, const POINT* points, int count, const Pixel* fill, int penWidth,
                 const Pixel* pen) {
    if (c.empty() || points == nullptr || count < 2) {
        return;
    }
    const PointBounds b = boundsOf(points, count);
    if (fill != nullptr && count >= 3) {
        fillPolygonWithin(c, points, count, b, *fill);
    }
    if (pen == nullptr || (penWidth <= 1 && strokeThinInside(c, points, count, true, b, *pen))) {
        return;
    }
    strokeClipped(c, points, count, true, penWidth, *pen);
}

void drawEllipse(const Canvas& c, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom, const Pixel* fill, const Pixel* pen, int penWidth) {
    const EllipseShape shape{left + c.originX, top + c.originY, right + c.originX, bottom + c.originY};
    if (c.empty() || shape.empty()) {
        return;
    }
    const i64 width = std::max(penWidth, 1);
    const i64 outward = (width - 1) / 2;
    const EllipseShape outer = shape.grown(outward);
    // The ring ends where the interior of the ellipse shrunk by the rest of the width begins.
    const EllipseShape inner = shape.grown(-(width - 1 - outward));
    const i64 yFrom = std::max<i64>(outer.top, c.clipTop);
    const i64 yTo = std::min<i64>(outer.bottom, c.clipBottom);
    for (i64 y = yFrom; y < yTo; ++y) {
        i64 xl, xr;
        if (fill != nullptr && shape.row(y, xl, xr)) {
            span(c, y, xl, xr + 1, *fill);
        }
        if (pen != nullptr && outer.row(y, xl, xr)) {
            i64 il, ir;
            if (inner.interior(y, il, ir)) {
                span(c, y, xl, il, *pen);
                span(c, y, ir + 1, xr + 1, *pen);
            } else {
                span(c, y, xl, xr + 1, *pen);
            }
        }
    }
}

}  // namespace platform
