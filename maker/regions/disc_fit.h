// Whether each region can hold a disc of a given radius (so that a number
// fits inside it and a finger can tap it), from a distance transform of the
// region map: every pixel's distance to the nearest pixel of another region
// or the picture's edge. Distances are chamfer distances (5 for a step along
// an axis, 7 for a diagonal one) capped just above what the disc needs, so a
// merge changes them only near the absorbed region and they are updated there
// alone.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/regions/connected_regions.h"

class DiscFit {
  public:
    // `map.regionOf` must stay the caller's current region map: merge()
    // expects it to be relabelled already.
    DiscFit(const RegionMap& map, double radius);

    bool holdsDisc(std::int32_t region) const { return coreCount_[region] > 0; }

    // `from` has been relabelled to `into` in the map; its pixels lie within
    // the given box (inclusive).
    void merged(std::int32_t from, std::int32_t into, int minX, int minY, int maxX, int maxY);

  private:
    void recompute(int minX, int minY, int maxX, int maxY);

    const RegionMap& map_;
    std::uint16_t cap_;  // the distance a pixel needs for the disc to fit around it
    std::vector<std::uint16_t> distance_;
    std::vector<std::int32_t> coreCount_;  // per region: pixels at which the disc fits
};
