// Outlines as the SVG reader hands them on: subpaths of cubic Bezier
// segments (straight ones marked), and the affine maps that move them.
#pragma once

#include <vector>

#include "pattern/bezier.h"

namespace svg {

// x' = a x + c y + e, y' = b x + d y + f (SVG's matrix(a b c d e f)).
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    PointD apply(PointD p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    // This map after `first`: (this * first)(p) = this(first(p)).
    Affine after(const Affine& first) const {
        return {a * first.a + c * first.b, b * first.a + d * first.b,     a * first.c + c * first.d,
                b * first.c + d * first.d, a * first.e + c * first.f + e, b * first.e + d * first.f + f};
    }
    static Affine translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine scale(double x, double y) { return {x, 0, 0, y, 0, 0}; }
};

// One cubic segment; a straight one has its inner points on the line.
struct Segment {
    PointD p0, p1, p2, p3;
    bool straight = false;
};

Segment lineSegment(PointD from, PointD to);

// A subpath; for filling it counts as closed whether or not it was closed.
struct Subpath {
    std::vector<Segment> segments;
};

// Affine maps move Bezier curves exactly by moving their control points.
void transformSubpaths(std::vector<Subpath>& subpaths, const Affine& m);

}  // namespace svg
