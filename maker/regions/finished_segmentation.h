// The merged regions handed on: numbered 0 .. n-1 by their first pixel in
// raster order, and each palette colour moved to the mean of the source
// pixels it finally paints (so the painted picture is as close to the source
// as these regions allow), unused colours dropped and the rest numbered by
// first appearance (two that come out the same are one).
#pragma once

#include <cstdint>
#include <vector>

#include "maker/regions/connected_regions.h"
#include "maker/regions/region_colours.h"
#include "maker/segmentation.h"

// `colours` gives the source colours of each region of `map`. `exactPalette`,
// when not empty, gives the colours to keep as they are (flat art in its own
// colours) instead of the means.
Segmentation finishedSegmentation(const RegionMap& map, const std::vector<RegionColour>& colours,
                                  const std::vector<std::uint32_t>& exactPalette = {});
