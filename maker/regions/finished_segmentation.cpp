#include "maker/regions/finished_segmentation.h"

#include <algorithm>

Segmentation finishedSegmentation(const RegionMap& map, const LabImage& source,
                                  const std::vector<std::uint32_t>& exactPalette) {
    Segmentation result{map.width, map.height, std::vector<std::int32_t>(map.regionOf.size()), {}, {}};
    std::vector<std::int32_t> newRegion(map.colourOf.size(), -1);
    const std::int32_t colours =
        map.colourOf.empty() ? 0 : *std::max_element(map.colourOf.begin(), map.colourOf.end()) + 1;
    std::vector<std::int32_t> newColour(colours, -1);
    std::vector<double> sums;  // l, a, b, count per new colour
    for (std::size_t i = 0; i < map.regionOf.size(); ++i) {
        const std::int32_t old = map.regionOf[i];
        if (newRegion[old] < 0) {
            newRegion[old] = result.regionCount();
            std::int32_t& colour = newColour[map.colourOf[old]];
            if (colour < 0) {
                colour = static_cast<std::int32_t>(sums.size() / 4);
                sums.resize(sums.size() + 4, 0.0);
                result.palette.push_back(exactPalette.empty() ? 0 : exactPalette[map.colourOf[old]]);
            }
            result.colourOf.push_back(colour);
        }
        result.regionOf[i] = newRegion[old];
        double* sum = &sums[4 * static_cast<std::size_t>(result.colourOf[newRegion[old]])];
        sum[0] += source.pixels[i].l;
        sum[1] += source.pixels[i].a;
        sum[2] += source.pixels[i].b;
        sum[3] += 1;
    }
    if (exactPalette.empty()) {
        for (std::size_t c = 0; c < result.palette.size(); ++c) {
            const double* sum = &sums[4 * c];
            result.palette[c] =
                rgbOfLab({static_cast<float>(sum[0] / sum[3]), static_cast<float>(sum[1] / sum[3]),
                          static_cast<float>(sum[2] / sum[3])});
        }
    }
    return result;
}
