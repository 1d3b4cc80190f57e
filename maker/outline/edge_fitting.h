// One border edge smoothed and fitted once, so that both regions beside it
// walk the same curves: the staircase of pixel corners is replaced by the
// midpoints of its unit steps (a border that follows a slope straightens),
// lightly smoothed, and cubic Bezier curves are fitted to them within half a
// pixel. The ends stay pinned to their junctions; edges along the picture's
// frame stay straight.
#pragma once

#include <vector>

#include "maker/outline/border_graph.h"
#include "pattern/pattern_writer.h"

// In pixel units on the lattice; the spans run from `start` to the edge's
// other end (back to `start` for a closed edge).
struct FittedPath {
    PointD start;
    std::vector<OutlineSpan> spans;
};

inline constexpr double kFitTolerancePixels = 0.5;

// The points the curves are fitted to: the first corner (for a closed edge,
// the first step's midpoint), every unit step's midpoint, the last corner,
// the inner ones smoothed.
std::vector<PointD> smoothedBorder(const BorderEdge& edge);

// Control points stay on the picture (0 ... width, 0 ... height), where the
// file can express them: a curve whose control points would leave it is cut
// in two, and what still strays (a two-point span along an outward tangent)
// is pulled onto the frame. Inside their control points' hull, the curves
// stay on the picture too.
FittedPath fitBorderEdge(const BorderEdge& edge, int width, int height);
