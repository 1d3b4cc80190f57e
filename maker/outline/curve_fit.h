// Cubic Bezier curves fitted to a run of points by least squares, split
// where the fit strays too far (after Schneider, "An Algorithm for
// Automatically Fitting Digitized Curves").
#pragma once

#include <vector>

#include "pattern/bezier.h"

struct CubicSpan {
    PointD control1;
    PointD control2;
    PointD end;  // the span starts where the one before ends (or at the first point)
};

// Where control points may lie: a curve whose control points stray outside
// is cut in two like one that strays from the points.
struct FitBounds {
    double minX = -1e300, minY = -1e300, maxX = 1e300, maxY = 1e300;
};

// Curves from points.front() to points.back(), through each point within
// `tolerance`; the ends are kept exactly. startTangent and endTangent are the
// unit directions leaving the first point and, backwards, the last one; a zero
// vector lets the points decide.
std::vector<CubicSpan> fitCubicSpans(const std::vector<PointD>& points, double tolerance,
                                     PointD startTangent = {}, PointD endTangent = {},
                                     const FitBounds& bounds = {});
