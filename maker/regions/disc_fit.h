// Whether a region can hold a disc of a given radius (so that a number fits
// inside it and a finger can tap it), from a distance transform of the
// region's bounding box: every pixel's distance to the nearest pixel outside
// the region (or outside the picture). Distances are chamfer distances, 5
// for a step along an axis and 7 for a diagonal one, with the disc widened
// by their largest error. The work is local to the region, and regions too small to hold the
// disc are told at once from their area. The disc's centre may be kept to an
// area of the picture (where the board draws numbers): a region lying beside
// the picture's edge, outside that area, holds no disc a number could use.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "maker/regions/connected_regions.h"

struct RegionBox {
    int minX = 0, minY = 0, maxX = 0, maxY = 0;  // inclusive
};

class DiscFit {
  public:
    // `centres`: the pixels the disc may be centred on; none: any pixel.
    explicit DiscFit(double radius, std::optional<RegionBox> centres = std::nullopt);

    // `box` holds every pixel of the region and `area` counts them.
    bool holdsDisc(const RegionMap& map, std::int32_t region, const RegionBox& box, std::int64_t area);

  private:
    std::uint16_t cap_;       // the distance a pixel needs for the disc to fit around it
    std::int64_t leastArea_;  // pixels inside a disc of the radius
    std::optional<RegionBox> centres_;
    std::vector<std::uint16_t> distance_;  // scratch, with a border of zeros one pixel wide
};
