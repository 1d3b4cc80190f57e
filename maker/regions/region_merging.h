// Regions too small or too thin to paint are merged away, the smallest
// first, each with the neighbour whose merger changes the painted picture
// least (the growth of its squared error against the source in CIELAB, which
// weighs each part's change of colour by its area; the merged region is
// painted the palette colour nearest its mean): first until every region
// holds a disc of the minimum radius (centred where numbers are drawn), then until no more regions are left
// than the piece target. Neighbours that end up with the same colour become
// one region.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "maker/regions/connected_regions.h"
#include "maker/regions/disc_fit.h"
#include "maker/regions/lab_image.h"
#include "maker/regions/region_colours.h"

struct MergeTargets {
    int pieces = 170;
    double minRadius = 3.0;
    std::optional<RegionBox> discCentres;  // where the disc's centre may lie; none: anywhere
};

struct MergeCounts {
    int before = 0;           // regions to start with
    int wideEnough = 0;       // regions once every one holds the disc
    int after = 0;            // regions at the end
    bool allHoldDisc = true;  // false only for a picture too small for the disc
};

// Relabels map.regionOf in place: every pixel of a merged region takes the id
// of the region that absorbed it (ids stay those of `map`, now with gaps),
// and `colours` follows (a merged region's entry is emptied). `colours` gives
// each region's true colours; `palette` the colours painted.
MergeCounts mergeSmallRegions(RegionMap& map, std::vector<RegionColour>& colours,
                              const std::vector<LabPixel>& palette, const MergeTargets& targets,
                              const std::function<void(double)>& progress = {});
