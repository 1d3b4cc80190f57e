#include "platform/pixels/rasterizer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <type_traits>
#include <vector>

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

// One non-horizontal edge, walked down one row at a time. On the current row
// the edge crosses at xExact = x - rem / dy; `x` is the first pixel at or to
// the right of it, which is where an inside run starts or ends.
struct Edge {
    i64 yStart;  // first row, inside the clip
    i64 yEnd;    // row past the last
    i64 x;
    i64 rem;  // 0 <= rem < dy
    i64 dy;
    i64 stepQ;  // floor(dx / dy)
    i64 stepR;  // dx - stepQ * dy
};

struct PolygonScratch {
    std::vector<Edge> edges;
    std::vector<Edge*> active;
    std::vector<std::uint64_t> rowMasks;
    std::vector<Edge> sorted;
    std::vector<std::uint32_t> rowCounts;
};

// Kept between calls: after the first few polygons, filling allocates nothing.
thread_local PolygonScratch polygonScratch;

void addEdge(std::vector<Edge>& edges, const Canvas& c, i64 x0, i64 y0, i64 x1, i64 y1) {
    if (y0 == y1) {
        return;  // a horizontal edge bounds no row
    }
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    // Rows y0 <= y < y1: the top end counts, the bottom end does not.
    const i64 yStart = std::max<i64>(y0, c.clipTop);
    const i64 yEnd = std::min<i64>(y1, c.clipBottom);
    if (yStart >= yEnd) {
        return;
    }
    const i64 dy = y1 - y0;
    const i64 dx = x1 - x0;
    const i128 numerator = static_cast<i128>(yStart - y0) * dx;
    const i128 offset = ceilDiv(numerator, dy);
    const i64 stepQ = static_cast<i64>(floorDiv(dx, dy));
    edges.push_back(Edge{yStart, yEnd, x0 + static_cast<i64>(offset),
                         static_cast<i64>(offset * dy - numerator), dy, stepQ, dx - stepQ * dy});
}

// Orders the edges by their first row, by counting: every row between the
// polygon's first and last is crossed by at least two edges, so this costs no
// more than the crossings themselves, where a comparison sort of many short
// edges would cost more than drawing them.
void sortByFirstRow(std::vector<Edge>& edges, std::vector<Edge>& sorted, std::vector<std::uint32_t>& counts) {
    i64 first = edges.front().yStart, last = first;
    for (const Edge& e : edges) {
        first = std::min(first, e.yStart);
        last = std::max(last, e.yStart);
    }
    counts.assign(static_cast<std::size_t>(last - first + 2), 0);
    for (const Edge& e : edges) {
        ++counts[static_cast<std::size_t>(e.yStart - first + 1)];
    }
    for (std::size_t row = 1; row < counts.size(); ++row) {
        counts[row] += counts[row - 1];
    }
    sorted.resize(edges.size());
    for (const Edge& e : edges) {
        sorted[counts[static_cast<std::size_t>(e.yStart - first)]++] = e;
    }
    edges.swap(sorted);
}

// Orders the active edges by their crossing along the row. From one row to
// the next that order barely changes, and insertion sort is linear on it; but
// edges that cross each other often (or many that start on one row) would make
// it quadratic, so past a budget of moves the rest is left to std::sort.
void sortByCrossing(std::vector<Edge*>& active) {
    std::size_t budget = 2 * active.size() + 16;
    for (std::size_t i = 1; i < active.size(); ++i) {
        Edge* e = active[i];
        std::size_t j = i;
        while (j > 0 && active[j - 1]->x > e->x) {
            if (budget-- == 0) {
                active[j] = e;
                std::sort(active.begin(), active.end(),
                          [](const Edge* a, const Edge* b) { return a->x < b->x; });
                return;
            }
            active[j] = active[j - 1];
            --j;
        }
        active[j] = e;
    }
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

// Most polygons the board draws are small pieces wholly on the surface. For
// those no edge list is sorted: each edge flips, on every row it crosses, the
// bit of the first pixel at or right of its crossing in that row's 64-bit
// mask; a running XOR along the mask then leaves exactly the inside pixels
// set. Same crossings, same rules as the edge table; answers false (and
// draws nothing) for a polygon it cannot take.
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
    auto& masks = polygonScratch.rowMasks;
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
        // floor(dx / dy); steep edges, the usual case, need no division.
        const i64 stepQ = (dx >= 0 && dx < dy)    ? 0
                          : (dx < 0 && -dx <= dy) ? -1
                                                  : (dx >= 0 ? dx : dx - dy + 1) / dy;
        const i64 stepR = dx - stepQ * dy;
        i64 x = a->x + c.originX - minX;
        i64 rem = 0;
        std::uint64_t* mask = masks.data() + (a->y + c.originY - minY);
        for (i64 row = 0; row < dy; ++row) {
            mask[row] ^= std::uint64_t{1} << x;
            x += stepQ;
            rem -= stepR;
            if (rem < 0) {
                ++x;
                rem += dy;
            }
        }
    }
    for (std::size_t r = 0; r < masks.size(); ++r) {
        std::uint64_t m = masks[r];
        m ^= m << 1;
        m ^= m << 2;
        m ^= m << 4;
        m ^= m << 8;
        m ^= m << 16;
        m ^= m << 32;
        Pixel* row = c.surface->row(static_cast<int>(minY + static_cast<i64>(r))) + minX;
        // Every row crosses the outline an even number of times, so the top
        // bit is clear and each run of ones ends inside the mask.
        while (m != 0) {
            const int start = std::countr_zero(m);
            const int length = std::countr_one(m >> start);
            fillPixels(row + start, static_cast<std::size_t>(length), colour);
            m &= ~(((std::uint64_t{1} << length) - 1) << start);
        }
    }
    return true;
}

// ---- Lines --------------------------------------------------------------

// The pixels of the line from (x0, y0) towards (x1, y1), the start included
// and the end only when `includeEnd`. Along the minor axis the exact line is
// rounded to the nearest pixel, halves towards larger coordinates. Each pixel
// grows across the minor axis from offset lo to hi (0, 0 for a thin line).
void segment(const Canvas& c, i64 x0, i64 y0, i64 x1, i64 y1, bool includeEnd, i64 lo, i64 hi, Pixel colour) {
    const i64 dx = x1 - x0;
    const i64 dy = y1 - y0;
    const i64 adx = dx < 0 ? -dx : dx;
    const i64 ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) {
        if (includeEnd) {
            box(c, x0 + lo, y0 + lo, x0 + hi + 1, y0 + hi + 1, colour);
        }
        return;
    }
    const bool xMajor = adx >= ady;
    // Walk the major axis: position m = m0 + s * i, minor n = n0 + round(i * dn / len).
    const i64 m0 = xMajor ? x0 : y0;
    const i64 n0 = xMajor ? y0 : x0;
    const i64 dn = xMajor ? dy : dx;
    const i64 len = xMajor ? adx : ady;
    const i64 s = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const i64 clipLo = xMajor ? c.clipLeft : c.clipTop;
    const i64 clipHi = xMajor ? c.clipRight : c.clipBottom;
    const i64 minorLo = xMajor ? c.clipTop : c.clipLeft;
    const i64 minorHi = xMajor ? c.clipBottom : c.clipRight;

    i64 first = 0;
    i64 last = includeEnd ? len : len - 1;
    if (s > 0) {
        first = std::max(first, clipLo - m0);
        last = std::min(last, clipHi - 1 - m0);
    } else {
        first = std::max(first, m0 - (clipHi - 1));
        last = std::min(last, m0 - clipLo);
    }
    if (first > last) {
        return;
    }
    i64 n = n0;
    i64 err = len;  // 0 <= err < 2 * len
    if (first > 0) {
        const i128 twoLen = static_cast<i128>(2) * len;
        const i128 numerator = static_cast<i128>(2) * first * dn + len;
        const i128 q = floorDiv(numerator, twoLen);
        n += static_cast<i64>(q);
        err = static_cast<i64>(numerator - q * twoLen);
    }
    const i64 errStep = 2 * dn;
    const i64 errLimit = 2 * len;
    Surface& surface = *c.surface;
    if (lo == 0 && hi == 0) {
        // A thin line walks an index through the pixels: one step along the
        // major axis per pixel, one across whenever the rounding moves, which
        // is always the same way. The check across is needed only when the
        // line leaves the clip that way.
        Pixel* pixels = surface.pixels().data();
        const i64 stride = surface.width();
        const i64 majorStep = xMajor ? s : s * stride;
        const i64 minorStep = xMajor ? stride : 1;
        const i64 m = m0 + s * first;
        i64 index = xMajor ? n * stride + m : m * stride + n;
        const i64 nEnd = n0 + (xMajor ? dy : dx);
        const bool minorInside = std::min(n0, nEnd) >= minorLo && std::max(n0, nEnd) < minorHi;
        auto walk = [&](auto checked, auto rising) {
            for (i64 i = first; i <= last; ++i) {
                if (!checked || (n >= minorLo && n < minorHi)) {
                    pixels[index] = colour;
                }
                index += majorStep;
                err += errStep;
                if constexpr (rising) {
                    const bool move = err >= errLimit;
                    n += move ? 1 : 0;
                    index += move ? minorStep : 0;
                    err -= move ? errLimit : 0;
                } else {
                    const bool move = err < 0;
                    n -= move ? 1 : 0;
                    index -= move ? minorStep : 0;
                    err += move ? errLimit : 0;
                }
            }
        };
        using Yes = std::true_type;
        using No = std::false_type;
        if (minorInside) {
            dn >= 0 ? walk(No{}, Yes{}) : walk(No{}, No{});
        } else {
            dn >= 0 ? walk(Yes{}, Yes{}) : walk(Yes{}, No{});
        }
        return;
    }
    for (i64 i = first; i <= last; ++i) {
        const i64 m = m0 + s * i;
        const i64 from = std::max(n + lo, minorLo);
        const i64 to = std::min(n + hi, minorHi - 1);
        if (xMajor) {
            for (i64 y = from; y <= to; ++y) {
                surface.set(static_cast<int>(m), static_cast<int>(y), colour);
            }
        } else if (from <= to) {
            Pixel* row = surface.row(static_cast<int>(m));
            std::fill(row + from, row + to + 1, colour);
        }
        err += errStep;
        if (err >= errLimit) {
            ++n;
            err -= errLimit;
        } else if (err < 0) {
            --n;
            err += errLimit;
        }
    }
}

// A thin line wholly inside the clip: the walk of segment() without any
// clipping, for the outlines of the many small pieces on a board.
void thinSegmentInside(Surface& surface, i64 x0, i64 y0, i64 x1, i64 y1, Pixel colour) {
    const i64 dx = x1 - x0;
    const i64 dy = y1 - y0;
    const i64 adx = dx < 0 ? -dx : dx;
    const i64 ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const i64 len = xMajor ? adx : ady;
    if (len == 0) {
        return;
    }
    const i64 stride = surface.width();
    const i64 dn = xMajor ? dy : dx;
    const i64 majorStep = xMajor ? (dx < 0 ? -1 : 1) : (dy < 0 ? -stride : stride);
    // Walking down the minor axis is walking up with the error mirrored
    // (e = 2 len - 1 - err), so one loop serves both and rounds halves the same way.
    const i64 minorStep = (xMajor ? stride : 1) * (dn < 0 ? -1 : 1);
    const i64 errStep = 2 * (dn < 0 ? -dn : dn);
    const i64 errLimit = 2 * len;
    i64 err = dn < 0 ? len - 1 : len;
    Pixel* p = surface.row(static_cast<int>(y0)) + x0;
    for (i64 i = 0; i < len; ++i) {
        *p = colour;
        p += majorStep;
        err += errStep;
        const bool move = err >= errLimit;
        p += move ? minorStep : 0;
        err -= move ? errLimit : 0;
    }
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

// The fill of a polygon whose point bounds are `b`, computed once by the
// caller for the fill and the outline both.
void fillPolygonWithin(const Canvas& c, const POINT* points, int count, const PointBounds& b, Pixel colour) {
    if (fillSmallPolygon(c, points, count, b, colour)) {
        return;
    }
    auto& edges = polygonScratch.edges;
    auto& active = polygonScratch.active;
    edges.clear();
    active.clear();
    for (int i = 0; i < count; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[i + 1 < count ? i + 1 : 0];
        addEdge(edges, c, a.x + c.originX, a.y + c.originY, b.x + c.originX, b.y + c.originY);
    }
    if (edges.empty()) {
        return;
    }
    sortByFirstRow(edges, polygonScratch.sorted, polygonScratch.rowCounts);

    std::size_t next = 0;
    i64 y = edges.front().yStart;
    while (next < edges.size() || !active.empty()) {
        if (active.empty()) {
            y = edges[next].yStart;  // no work for the rows between
        }
        while (next < edges.size() && edges[next].yStart == y) {
            active.push_back(&edges[next++]);
        }
        sortByCrossing(active);
        // Even-odd: inside from the 1st crossing to the 2nd, the 3rd to the 4th...
        Pixel* row = c.surface->row(static_cast<int>(y));
        for (std::size_t i = 0; i + 1 < active.size(); i += 2) {
            const i64 from = std::max<i64>(active[i]->x, c.clipLeft);
            const i64 to = std::min<i64>(active[i + 1]->x, c.clipRight);
            if (from < to) {
                fillPixels(row + from, static_cast<std::size_t>(to - from), colour);
            }
        }
        ++y;
        std::size_t kept = 0;
        for (Edge* e : active) {
            if (e->yEnd > y) {
                e->x += e->stepQ;
                e->rem -= e->stepR;
                if (e->rem < 0) {
                    ++e->x;
                    e->rem += e->dy;
                }
                active[kept++] = e;
            }
        }
        active.resize(kept);
    }
}

// A thin outline wholly inside the clip, drawn without clipping; false (and
// nothing drawn) when its bounds `b` reach outside.
bool strokeThinInside(const Canvas& c, const POINT* points, int count, bool closed, const PointBounds& b,
                      Pixel colour) {
    if (b.minX + c.originX < c.clipLeft || b.maxX + c.originX >= c.clipRight ||
        b.minY + c.originY < c.clipTop || b.maxY + c.originY >= c.clipBottom) {
        return false;
    }
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const POINT& a = points[i];
        const POINT& z = points[i + 1 < count ? i + 1 : 0];
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
        segment(c, a.x + c.originX, a.y + c.originY, b.x + c.originX, b.y + c.originY, wide, lo, hi, colour);
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
                 Pixel pen) {
    if (c.empty() || points == nullptr || count < 2) {
        return;
    }
    const PointBounds b = boundsOf(points, count);
    if (fill != nullptr && count >= 3) {
        fillPolygonWithin(c, points, count, b, *fill);
    }
    if (penWidth <= 1 && strokeThinInside(c, points, count, true, b, pen)) {
        return;
    }
    strokeClipped(c, points, count, true, penWidth, pen);
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
