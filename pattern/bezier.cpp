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
// the same order, so the points are the same to the bit. The fixed block size
// lets the compiler run several samples in one vector register; a fixed
// degree (the cubics of every pattern) lets it keep the levels in registers.
// `Degree` 0 means the degree is `degree`, known only when running.
template <int Block, int Degree>
void evaluateBlock(int degree, std::span<const PointD> controlPoints, int first, int steps, PointD* out) {
    if constexpr (Degree > 0) {
        degree = Degree;
    }
    double t[Block], u[Block];
    double x[kMaxBezierDegree + 1][Block], y[kMaxBezierDegree + 1][Block];
    for (int s = 0; s < Block; ++s) {
        t[s] = static_cast<double>(first + s) / static_cast<double>(steps);
        u[s] = 1.0 - t[s];
    }
    for (int j = 0; j <= degree; ++j) {
        std::fill_n(x[j], Block, controlPoints[j].x);
        std::fill_n(y[j], Block, controlPoints[j].y);
    }
    for (int k = degree; k >= 1; --k) {
        for (int i = 0; i < k; ++i) {
            for (int s = 0; s < Block; ++s) {
                x[i][s] = u[s] * x[i][s] + t[s] * x[i + 1][s];
                y[i][s] = u[s] * y[i][s] + t[s] * y[i + 1][s];
            }
        }
    }
    for (int s = 0; s < Block; ++s) {
        out[first + s] = {x[0][s], y[0][s]};
    }
}

// Samples 0 <= i <= steps in blocks of 16, then one each of 8, 4, 2 and 1 as
// the rest needs: no sample is computed that is not kept.
template <int Degree>
void evaluateAll(int degree, std::span<const PointD> controlPoints, int steps, PointD* out) {
    int first = 0;
    for (; steps + 1 - first >= 16; first += 16) {
        evaluateBlock<16, Degree>(degree, controlPoints, first, steps, out);
    }
    if (steps + 1 - first >= 8) {
        evaluateBlock<8, Degree>(degree, controlPoints, first, steps, out);
        first += 8;
    }
    if (steps + 1 - first >= 4) {
        evaluateBlock<4, Degree>(degree, controlPoints, first, steps, out);
        first += 4;
    }
    if (steps + 1 - first >= 2) {
        evaluateBlock<2, Degree>(degree, controlPoints, first, steps, out);
        first += 2;
    }
    if (steps + 1 - first == 1) {
        evaluateBlock<1, Degree>(degree, controlPoints, first, steps, out);
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
        evaluateAll<3>(degree, controlPoints, steps, out.data());
    } else {
        evaluateAll<0>(degree, controlPoints, steps, out.data());
    }
    return steps + 1;
}
