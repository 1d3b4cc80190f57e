// From an SVG picture to a playable pattern: shapes become pieces (see
// pieces_from_shapes.h for holes), pieces the player cannot see or tap are
// dropped, colours are merged down to the palette, and every label goes to
// the point of its piece's visible area farthest from every edge.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pattern/pattern_writer.h"
#include "maker/svg/svg_document.h"

struct CompileOptions {
    int maxColours = 32;
    // The smallest piece: at zoom 3.375 on the 240 x 294 screen's board, its
    // visible area holds a disc of this many pixels around its label.
    int minRadiusPixels = 3;
    GeometryVariant variant = GeometryVariant::Curves;
};

struct CompileResult {
    std::optional<PatternFile> file;
    std::string error;
    std::vector<std::string> notes;  // what was left out or changed
    int shapes = 0;
    int covered = 0;   // pieces dropped because later pieces hide them
    int tooSmall = 0;  // pieces dropped because too little of them shows to tap
    int coloursBefore = 0;
    std::vector<std::string> failures;  // rules the written pattern still breaks (none expected)
};

CompileResult compilePicture(const svg::Picture& picture, const CompileOptions& options);

// The raster's cell in pattern units: fine enough that the smallest piece
// spans several cells.
inline constexpr double kCompileCell = 10.0;
