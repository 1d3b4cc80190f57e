#include "maker/regions/connected_regions.h"

RegionMap connectedRegions(const std::vector<std::uint8_t>& colourOf, int width, int height) {
    RegionMap map{width, height, std::vector<std::int32_t>(colourOf.size(), -1), {}};
    std::vector<std::int32_t> pending;
    for (std::size_t start = 0; start < colourOf.size(); ++start) {
        if (map.regionOf[start] >= 0) {
            continue;
        }
        const auto region = static_cast<std::int32_t>(map.colourOf.size());
        const std::uint8_t colour = colourOf[start];
        map.colourOf.push_back(colour);
        map.regionOf[start] = region;
        pending.assign(1, static_cast<std::int32_t>(start));
        // Flood fill; a pixel is labelled when it is queued, so none is queued twice.
        while (!pending.empty()) {
            const std::int32_t i = pending.back();
            pending.pop_back();
            const int x = i % width;
            const auto visit = [&](std::int32_t j) {
                if (map.regionOf[j] < 0 && colourOf[j] == colour) {
                    map.regionOf[j] = region;
                    pending.push_back(j);
                }
            };
            if (x > 0)
                visit(i - 1);
            if (x + 1 < width)
                visit(i + 1);
            if (i >= width)
                visit(i - width);
            if (i + width < static_cast<std::int32_t>(colourOf.size()))
                visit(i + width);
        }
    }
    return map;
}
