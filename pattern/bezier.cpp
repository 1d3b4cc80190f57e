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

int flattenCurve(int degree, int steps, std::span<const PointD> controlPoints, std::span<PointD> out) {
    if (steps <= 0) {
        // i / steps would be 0 / 0: the curve is its first point.
        out[0] = evaluateBezier(degree, controlPoints, 0.0);
        return 1;
    }
    assert(out.size() > static_cast<std::size_t>(steps));
    for (int i = 0; i <= steps; ++i) {
        out[i] = evaluateBezier(degree, controlPoints, static_cast<double>(i) / static_cast<double>(steps));
    }
    return steps + 1;
}
