#include "maker/outline/edge_fitting.h"

#include <algorithm>
#include <cmath>

#include "maker/outline/curve_fit.h"

namespace {

PointD pointOf(LatticePoint p) {
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

PointD midpoint(LatticePoint a, LatticePoint b) {
    return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

PointD unitBetween(PointD from, PointD to) {
    const double l = std::hypot(to.x - from.x, to.y - from.y);
    return l > 0 ? PointD{(to.x - from.x) / l, (to.y - from.y) / l} : PointD{};
}

// Passes of the [1 2 1] / 4 kernel over the inner points (a loop's all
// around): what is left of the staircase's one-pixel steps after taking
// midpoints is a ripple the fit would otherwise follow.
constexpr int kSmoothingPasses = 2;
// A shorter run (a pixel-sized island, a short notch) would shrink or flatten
// by as much as it ripples.
constexpr std::size_t kShortestSmoothedRun = 8;

void smoothRun(std::vector<PointD>& points, bool closed) {
    const std::size_t n = closed ? points.size() - 1 : points.size();
    if (n < kShortestSmoothedRun) {
        return;
    }
    std::vector<PointD> before;
    for (int pass = 0; pass < kSmoothingPasses; ++pass) {
        before.assign(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(n));
        for (std::size_t i = closed ? 0 : 1; i < (closed ? n : n - 1); ++i) {
            const PointD& a = before[(i + n - 1) % n];
            const PointD& b = before[(i + 1) % n];
            points[i] = {(a.x + 2 * before[i].x + b.x) / 4, (a.y + 2 * before[i].y + b.y) / 4};
        }
    }
    if (closed) {
        points[n] = points[0];
    }
}

}  // namespace

std::vector<PointD> smoothedBorder(const BorderEdge& edge) {
    const auto& c = edge.corners;
    std::vector<PointD> points;
    points.reserve(c.size() + 1);
    if (!edge.closed) {
        points.push_back(pointOf(c.front()));
    }
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        points.push_back(midpoint(c[i], c[i + 1]));
    }
    points.push_back(edge.closed ? points.front() : pointOf(c.back()));
    smoothRun(points, edge.closed);
    return points;
}

FittedPath fitBorderEdge(const BorderEdge& edge, int width, int height) {
    if (edge.onFrame()) {
        // The frame is straight between the junctions on it (the picture's corners are junctions).
        return {pointOf(edge.corners.front()), {{true, {}, {}, pointOf(edge.corners.back()), 0}}};
    }
    const std::vector<PointD> points = smoothedBorder(edge);
    const FitBounds picture{0, 0, static_cast<double>(width), static_cast<double>(height)};
    std::vector<CubicSpan> spans;
    if (edge.closed && points.size() > 4) {
        // A loop has no junction to keep a corner at: it runs smoothly through
        // its start, and through the middle where it is cut in two (one curve
        // cannot leave and return along one tangent).
        const std::size_t n = points.size() - 1, half = n / 2;
        const PointD atStart = unitBetween(points[n - 1], points[1]);
        const PointD atHalf = unitBetween(points[half - 1], points[half + 1]);
        const std::vector<PointD> first(points.begin(),
                                        points.begin() + static_cast<std::ptrdiff_t>(half) + 1);
        const std::vector<PointD> second(points.begin() + static_cast<std::ptrdiff_t>(half), points.end());
        spans = fitCubicSpans(first, kFitTolerancePixels, atStart, {-atHalf.x, -atHalf.y}, picture);
        for (const CubicSpan& s :
             fitCubicSpans(second, kFitTolerancePixels, atHalf, {-atStart.x, -atStart.y}, picture)) {
            spans.push_back(s);
        }
    } else {
        spans = fitCubicSpans(points, kFitTolerancePixels, {}, {}, picture);
    }
    FittedPath path{points.front(), {}};
    for (const CubicSpan& s : spans) {
        const auto onPicture = [&](PointD p) {
            return PointD{std::clamp(p.x, 0.0, static_cast<double>(width)),
                          std::clamp(p.y, 0.0, static_cast<double>(height))};
        };
        path.spans.push_back({false, onPicture(s.control1), onPicture(s.control2), s.end, 0});
    }
    return path;
}
