// Writing patterns: from a model of pieces in pattern units to the records
// of a pattern file, of either variant, that the reader loads back as
// modelled.
//
// Model coordinates are pattern units: the picture is centred on (0, 0), its
// longer side measures 16000 and y grows downwards. Every model point lands
// on the nearest point the file can express: polyline points and the end
// points of curves load back as the model's points rounded to whole units;
// the points between a curve's ends are the reader's own samples of the
// stored curve, whose inner control points are rounded the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pattern/pattern_file.h"
#include "pattern/pattern_model.h"

// The records of the model in the given variant, or nothing with `error`
// saying which limit of the format the model breaks.
std::optional<PatternFile> writePatternFile(const PatternModel& model, GeometryVariant variant,
                                            std::string& error);

// The pattern-unit extent of a picture of this aspect: the longer side 16000.
struct PatternExtent {
    float width = 0;
    float height = 0;
};
PatternExtent patternExtentOf(std::int32_t sourceWidth, std::int32_t sourceHeight);
