// Large curve patterns for benchmarks: a square picture cut into a grid of
// rounded three-curve pieces, each in a colour from a fixed palette.
#pragma once

#include <cstddef>
#include <vector>

#include "pattern/pattern_file.h"

struct GeneratedPatternOptions {
    int pieces = 20000;
    int stepsPerCurve = 24;  // 3 x 25 gathered points a piece
    int colours = 24;
    unsigned seed = 1;
};

PatternFile generateCurvePattern(const GeneratedPatternOptions& options);

// Heavy files a hostile author can write within the reader's own limits, each
// of one colour over a square picture of 16000 raw units and as wide as it:
// every piece walks one path of `pointsPerPiece` points zig-zagging between
// the top of the picture and `height` raw units below it, left to right;
PatternFile generateZigzagPattern(int pieces, int pointsPerPiece, int height);
// piece k walks `curvesPerPiece` curves of 255 steps of its own, each a wave
// between the top of the picture and `height` raw units below it;
PatternFile generateWavyCurvePattern(int pieces, int curvesPerPiece, int height);
// every piece is the whole picture.
PatternFile generateCoveringPattern(int pieces);
