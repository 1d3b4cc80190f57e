// Writing patterns: from a model of pieces in pattern units to the records
// of a polyline pattern file that the reader loads back as modelled. Each
// contour walks a path of its own; the maker's planar writer shares paths
// between pieces and also writes curves.
//
// Model coordinates are pattern units: the picture is centred on (0, 0), its
// longer side measures 16000 and y grows downwards. Curves are flattened with
// their steps, and every point loads back as the model's point rounded to
// whole units.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pattern/pattern_file.h"
#include "pattern/pattern_model.h"

// The records of the model, or nothing with `error` saying which limit of
// the format the model breaks.
std::optional<PatternFile> writePatternFile(const PatternModel& model, std::string& error);

// The pattern-unit extent of a picture of this aspect: the longer side 16000.
struct PatternExtent {
    float width = 0;
    float height = 0;
};
PatternExtent patternExtentOf(std::int32_t sourceWidth, std::int32_t sourceHeight);
