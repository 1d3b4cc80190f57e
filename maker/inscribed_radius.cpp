#include "maker/inscribed_radius.h"

#include <algorithm>
#include <cmath>

#include "maker/outline/distance_transform.h"

namespace {

// A pixel at the edge of its region: a 4-neighbour in another region, or
// the picture's edge beside it.
std::vector<bool> edgePixels(const Segmentation& s) {
    std::vector<bool> edge(s.regionOf.size());
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            const std::int32_t r = s.regionAt(x, y);
            edge[static_cast<std::size_t>(y) * s.width + x] =
                x == 0 || y == 0 || x == s.width - 1 || y == s.height - 1 || s.regionAt(x - 1, y) != r ||
                s.regionAt(x + 1, y) != r || s.regionAt(x, y - 1) != r || s.regionAt(x, y + 1) != r;
        }
    }
    return edge;
}

}  // namespace

double smallestInscribedRadius(const Segmentation& segmentation, const std::optional<RegionBox>& centres) {
    if (segmentation.regionCount() == 0) {
        return 0;
    }
    // The nearest edge pixel of any region is one of the pixel's own region's
    // (its own edge lies between it and every other region), and a disc
    // centred on a pixel reaches half a pixel past that edge pixel's centre.
    const std::vector<double> squared =
        distanceTransform(edgePixels(segmentation), segmentation.width, segmentation.height);
    std::vector<double> deepest(static_cast<std::size_t>(segmentation.regionCount()), -1.0);
    for (std::size_t i = 0; i < squared.size(); ++i) {
        const int x = static_cast<int>(i % segmentation.width), y = static_cast<int>(i / segmentation.width);
        if (centres && (x < centres->minX || x > centres->maxX || y < centres->minY || y > centres->maxY)) {
            continue;
        }
        double& d = deepest[static_cast<std::size_t>(segmentation.regionOf[i])];
        d = std::max(d, squared[i]);
    }
    const double least = *std::ranges::min_element(deepest);
    return least < 0 ? 0.0 : std::sqrt(least) + 0.5;
}
