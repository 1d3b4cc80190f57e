// A segmentation into a planar pattern: the borders between regions traced
// once into shared edges, each fitted once with cubic Bezier curves (or kept
// as polylines), every piece's outline built from those edges, its number at
// the point deepest inside it, and pieces ordered so that a piece comes
// before those lying in its holes.
#pragma once

#include <optional>
#include <string>

#include "maker/segmentation.h"
#include "pattern/pattern_file.h"
#include "pattern/pattern_writer.h"

struct OutlineOptions {
    GeometryVariant variant = GeometryVariant::Curves;
};

// The pattern's records, or nothing with `error` saying which limit of the
// file format the picture would break.
std::optional<PatternFile> outlinePattern(const Segmentation& segmentation, const OutlineOptions& options,
                                          std::string& error);
