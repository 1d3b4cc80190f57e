#include "pattern/bezier.h"

#include <algorithm>
#include <array>
#include <cassert>

PointD evaluateBezier(int degree, std::span<const PointD> controlPoints, double t) {
    assert(degree >= 0 && degree <= kMaxBezierDegree &&
           controlPoints.size() > static_cast<std::size_t>(degree));
    std::array<PointD, kMaxBezierDegree + 1> work;
    std::copy_n(controlPoints.begin(), degree + 1, work.begin());
    const double u = 1.0 - t;
    for (int k = degree; k >= 1; --k) {
        for (int i = 0; i < k; ++i) {
            work[i].x = u * work[i].x + t * work[i + 1].x;
            work[i].y = u * work[i].y + t * work[i + 1].y;
        }
    }
    return work[0];
}

namespace {

// A block of samples of a cubic (the curves of every pattern), the three
// levels of de Casteljau's construction written out: each sample takes the
// operations evaluateBezier takes, in the same order, so the points are the
// same to the bit, while the fixed block size lets the compiler run the
// samples side by side in vector registers.
template <int Block>
void evaluateCubicBlock(std::span<const PointD> c, int first, int steps, PointD* out) {
    const double x0 = c[0].x, x1 = c[1].x, x2 = c[2].x, x3 = c[3].x;
    const double y0 = c[0].y, y1 = c[1].y, y2 = c[2].y, y3 = c[3].y;
    for (int s = 0; s < Block; ++s) {
        const double t = static_cast<double>(first + s) / static_cast<double>(steps);
        const double u = 1.0 - t;
        const double ax = u * x0 + t * x1, bx = u * x1 + t * x2, cx = u * x2 + t * x3;
        const double ay = u * y0 + t * y1, by = u * y1 + t * y2, cy = u * y2 + t * y3;
        const double dx = u * ax + t * bx, ex = u * bx + t * cx;
        const double dy = u * ay + t * by, ey = u * by + t * cy;
        out[first + s] = {u * dx + t * ex, u * dy + t * ey};
    }
}

// Samples 0 <= i <= steps in blocks of 16, then one each of 8, 4, 2 and 1 as
// the rest needs: no sample is computed that is not kept.
void flattenCubic(std::span<const PointD> controlPoints, int steps, PointD* out) {
    int first = 0;
    for (; steps + 1 - first >= 16; first += 16) {
        evaluateCubicBlock<16>(controlPoints, first, steps, out);
    }
    if (steps + 1 - first >= 8) {
        evaluateCubicBlock<8>(controlPoints, first, steps, out);
        first += 8;
    }
    if (steps + 1 - first >= 4) {
        evaluateCubicBlock<4>(controlPoints, first, steps, out);
        first += 4;
    }
    if (steps + 1 - first >= 2) {
        evaluateCubicBlock<2>(controlPoints, first, steps, out);
        first += 2;
    }
    if (steps + 1 - first == 1) {
        evaluateCubicBlock<1>(controlPoints, first, steps, out);
    }
}

}  // namespace

int flattenCurve(int degree, int steps, std::span<const PointD> controlPoints, std::span<PointD> out) {
    if (steps <= 0) {
        // i / steps would be 0 / 0: the curve is its first point.
        out[0] = evaluateBezier(degree, controlPoints, 0.0);
        return 1;
    }
    assert(degree >= 0 && degree <= kMaxBezierDegree &&
           controlPoints.size() > static_cast<std::size_t>(degree));
    assert(out.size() > static_cast<std::size_t>(steps));
    if (degree == 3) {
        flattenCubic(controlPoints, steps, out.data());
        return steps + 1;
    }
    for (int i = 0; i <= steps; ++i) {
        out[i] = evaluateBezier(degree, controlPoints, static_cast<double>(i) / static_cast<double>(steps));
    }
    return steps + 1;
}
