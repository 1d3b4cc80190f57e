// Writing a planar pattern: every boundary between two pieces is one path,
// walked forwards by the piece on one side and backwards by the piece on the
// other, so the two meet with no gap and no overlap and the file holds each
// boundary once.
//
// Coordinates are pattern units as for writePatternFile: the picture centred
// on (0, 0), its longer side 16000, y growing downwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pattern/pattern_file.h"
#include "pattern/pattern_writer.h"

// An open run of boundary from `start` through its spans, or a closed one
// when its last span ends at `start`.
struct PlanarPath {
    PointD start;
    std::vector<OutlineSpan> spans;
};

struct PathUse {
    std::int32_t path = 0;
    bool forward = true;
};

// A contour: path uses that join end to start and close.
using PlanarContour = std::vector<PathUse>;

using PlanarPiece = PieceToWrite<PlanarContour>;  // contours: the outer boundary, then the holes

struct PlanarModel {
    std::int32_t sourceWidth = 16000;  // only the aspect matters
    std::int32_t sourceHeight = 16000;
    std::vector<PlanarPath> paths;
    std::vector<PlanarPiece> pieces;  // drawing order: later pieces lie over earlier ones
};

// The records of the model in the given variant, or nothing with `error`
// saying which limit of the format the model breaks.
std::optional<PatternFile> writePlanarPatternFile(const PlanarModel& model, GeometryVariant variant,
                                                  std::string& error);
