// A picture cut into regions of one palette colour each: what the region
// steps hand to the outline steps. Regions are 4-connected; a region's
// outline runs along pixel edges.
#pragma once

#include <cstdint>
#include <vector>

struct Segmentation {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> regionOf;  // per pixel, row by row: 0 .. colourOf.size() - 1
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB per palette colour
    std::vector<std::int32_t> colourOf;  // per region: its palette index

    std::int32_t regionAt(int x, int y) const { return regionOf[static_cast<std::size_t>(y) * width + x]; }
    int regionCount() const { return static_cast<int>(colourOf.size()); }
};
