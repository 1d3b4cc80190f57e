// Bezier curves of degree up to 9, evaluated by de Casteljau's construction
// in double precision.
#pragma once

#include <span>

struct PointD {
    double x = 0.0;
    double y = 0.0;
};

inline constexpr int kMaxBezierDegree = 9;

PointD evaluateBezier(int degree, std::span<const PointD> controlPoints, double t);

// Samples the curve at t = i / steps for i = 0 ... steps and writes the
// steps + 1 points to `out`; returns their count. With steps 0 the curve
// gives its first control point alone. `out` must hold steps + 1 points.
int flattenCurve(int degree, int steps, std::span<const PointD> controlPoints, std::span<PointD> out);
