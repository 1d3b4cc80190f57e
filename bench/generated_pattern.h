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
