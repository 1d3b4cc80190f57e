// Pixels of one colour that touch by an edge (4-connectivity) form a region;
// pixels touching only at a corner do not.
#pragma once

#include <cstdint>
#include <vector>

struct RegionMap {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> regionOf;  // per pixel; regions numbered by their first pixel in raster order
    std::vector<std::int32_t> colourOf;  // per region
};

RegionMap connectedRegions(const std::vector<std::uint8_t>& colourOf, int width, int height);
