// Fewer colours: colours a player could not tell apart are merged, and then
// the nearest colours until the palette's buttons suffice. Distances are
// CIEDE2000 in CIELAB (sRGB, D65 white).
#pragma once

#include <cstdint>
#include <vector>

#include "maker/colour/colour_difference.h"
#include "pattern/pattern_file.h"

// The colour's CIELAB coordinates.
Lab labOf(const ColourRecord& colour);

// Colours closer than this are one colour: about the smallest difference
// that shows between two patches side by side on a small screen.
inline constexpr double kMergeDistance = 3.0;

struct ColourUse {
    ColourRecord colour;
    double area = 0;  // the visible area its pieces cover
};

// For each use, the colour it becomes. First every colour within
// `mergeDistance` of a larger one joins it (largest areas first); then, while
// more than `maxColours` remain, the nearest two merge. A merged group takes
// the colour of its largest member, so the colours that cover most of the
// picture stay exact.
std::vector<ColourRecord> mergeColours(const std::vector<ColourUse>& uses, int maxColours,
                                       double mergeDistance = kMergeDistance);
