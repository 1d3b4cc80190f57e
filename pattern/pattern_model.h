// What the pattern writers write: pieces of closed outlines in pattern units
// (straight spans and cubic curves), and how finely a curve is flattened.
#pragma once

#include <cstdint>
#include <vector>

#include "pattern/bezier.h"
#include "pattern/pattern_file.h"

// One span of a closed outline, from the end of the previous span (or the
// outline's start) to `end`: straight, or a cubic Bezier curve through the
// two control points. `steps` 0 lets the writer choose (curveStepsFor).
struct OutlineSpan {
    bool straight = true;
    PointD control1;
    PointD control2;
    PointD end;
    int steps = 0;
};

// A closed outline: the last span returns to `start` (if it does not, the
// writer closes it with a straight span).
struct Outline {
    PointD start;
    std::vector<OutlineSpan> spans;
};

// A piece to write: its colour, its contours ([0] the outer boundary, then
// the inner outlines) and where its number goes.
template <typename Contour>
struct PieceToWrite {
    ColourRecord colour;
    std::vector<Contour> contours;
    PointD label;
};
using ModelPiece = PieceToWrite<Outline>;

struct PatternModel {
    std::int32_t sourceWidth = 16000;  // only the aspect matters
    std::int32_t sourceHeight = 16000;
    std::vector<ModelPiece> pieces;  // drawing order: later pieces lie over earlier ones
};

enum class GeometryVariant { Curves, Polylines };

// Straight spans flattened from a curve, by the size of its bend on the
// 16000-unit canvas: the flattened curve strays at most kCurveTolerance
// units from the true one. With d the largest of |P0 - 2 P1 + P2| and
// |P1 - 2 P2 + P3|, steps = ceil(sqrt(0.75 d / tolerance)), between 1 and
// kMaxCurveSteps: a gentle or small curve gets 1 or 2 steps, a large bend
// up to 64.
inline constexpr double kCurveTolerance = 4.0;
inline constexpr int kMaxCurveSteps = 64;
int curveStepsFor(PointD p0, PointD p1, PointD p2, PointD p3);
