#include "maker/regions/finished_segmentation.h"

#include <algorithm>

namespace {

// Two means that round to the same 8-bit colour would give the player two
// buttons of one colour: the later one is dropped and its regions take the
// earlier.
void mergeEqualColours(Segmentation& segmentation) {
    std::vector<std::int32_t> kept(segmentation.palette.size());
    std::vector<std::uint32_t> palette;
    for (std::size_t c = 0; c < segmentation.palette.size(); ++c) {
        const auto same = std::find(palette.begin(), palette.end(), segmentation.palette[c]);
        kept[c] = static_cast<std::int32_t>(same - palette.begin());
        if (same == palette.end()) {
            palette.push_back(segmentation.palette[c]);
        }
    }
    for (std::int32_t& colour : segmentation.colourOf) {
        colour = kept[colour];
    }
    segmentation.palette = std::move(palette);
}

}  // namespace

Segmentation finishedSegmentation(const RegionMap& map, const std::vector<RegionColour>& colours,
                                  const std::vector<std::uint32_t>& exactPalette) {
    Segmentation result{map.width, map.height, std::vector<std::int32_t>(map.regionOf.size()), {}, {}};
    std::vector<std::int32_t> newRegion(map.colourOf.size(), -1);
    const std::int32_t used =
        map.colourOf.empty() ? 0 : *std::max_element(map.colourOf.begin(), map.colourOf.end()) + 1;
    std::vector<std::int32_t> newColour(used, -1);
    std::vector<RegionColour> painted;  // per new colour: the source colours it paints
    for (std::size_t i = 0; i < map.regionOf.size(); ++i) {
        const std::int32_t old = map.regionOf[i];
        if (newRegion[old] < 0) {
            newRegion[old] = result.regionCount();
            std::int32_t& colour = newColour[map.colourOf[old]];
            if (colour < 0) {
                colour = static_cast<std::int32_t>(painted.size());
                painted.emplace_back();
                result.palette.push_back(exactPalette.empty() ? 0 : exactPalette[map.colourOf[old]]);
            }
            result.colourOf.push_back(colour);
            painted[colour].add(colours[old]);
        }
        result.regionOf[i] = newRegion[old];
    }
    if (exactPalette.empty()) {
        for (std::size_t c = 0; c < result.palette.size(); ++c) {
            result.palette[c] = rgbOfLab(painted[c].mean());
        }
        mergeEqualColours(result);
    }
    return result;
}
