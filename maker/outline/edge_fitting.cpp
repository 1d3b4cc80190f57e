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
    return points;
}

FittedPath fitBorderEdge(const BorderEdge& edge, int width, int height) {
    if (edge.onFrame()) {
        // The frame is straight between the junctions on it (the picture's corners are junctions).
        return {pointOf(edge.corners.front()), {{true, {}, {}, pointOf(edge.corners.back()), 0}}};
    }
    const std::vector<PointD> points = smoothedBorder(edge);
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
        spans = fitCubicSpans(first, kFitTolerancePixels, atStart, {-atHalf.x, -atHalf.y});
        for (const CubicSpan& s :
             fitCubicSpans(second, kFitTolerancePixels, atHalf, {-atStart.x, -atStart.y})) {
            spans.push_back(s);
        }
    } else {
        spans = fitCubicSpans(points, kFitTolerancePixels);
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
