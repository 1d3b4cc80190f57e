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

// de Casteljau's construction run for a block of parameters at once, level by
// level: every sample takes exactly the operations evaluateBezier takes, in
// the same order, so the points are the same to the bit; the fixed block size
// lets the compiler run several samples in one vector register.
constexpr int kBlock = 16;

void evaluateBlock(int degree, std::span<const PointD> controlPoints, int first, int steps,
                   std::span<PointD> out, int count) {
    double t[kBlock], u[kBlock];
    double x[kMaxBezierDegree + 1][kBlock], y[kMaxBezierDegree + 1][kBlock];
    for (int s = 0; s < kBlock; ++s) {
        t[s] = static_cast<double>(first + s) / static_cast<double>(steps);
        u[s] = 1.0 - t[s];
    }
    for (int j = 0; j <= degree; ++j) {
        std::fill_n(x[j], kBlock, controlPoints[j].x);
        std::fill_n(y[j], kBlock, controlPoints[j].y);
    }
    for (int k = degree; k >= 1; --k) {
        for (int i = 0; i < k; ++i) {
            for (int s = 0; s < kBlock; ++s) {
                x[i][s] = u[s] * x[i][s] + t[s] * x[i + 1][s];
                y[i][s] = u[s] * y[i][s] + t[s] * y[i + 1][s];
            }
        }
    }
    for (int s = 0; s < count; ++s) {
        out[first + s] = {x[0][s], y[0][s]};
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
    for (int first = 0; first <= steps; first += kBlock) {
        evaluateBlock(degree, controlPoints, first, steps, out, std::min(kBlock, steps + 1 - first));
    }
    return steps + 1;
}
