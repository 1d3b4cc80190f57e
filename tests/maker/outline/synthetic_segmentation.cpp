#include "tests/maker/outline/synthetic_segmentation.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "maker/regions/connected_regions.h"

Segmentation segmentationOf(int width, int height, const std::function<int(int x, int y)>& colourAt) {
    std::vector<std::uint8_t> colours;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            colours.push_back(static_cast<std::uint8_t>(colourAt(x, y)));
        }
    }
    RegionMap regions = connectedRegions(colours, width, height);
    Segmentation s{width, height, std::move(regions.regionOf), {}, std::move(regions.colourOf)};
    for (int c = 0; c <= *std::ranges::max_element(colours); ++c) {
        s.palette.push_back(
            static_cast<std::uint32_t>((c * 67 % 256) << 16 | (c * 151 % 256) << 8 | (c * 29 % 256)));
    }
    return s;
}

Segmentation randomBlobs(int width, int height, int circles, int colours, unsigned seed) {
    std::mt19937 random(seed);
    struct Circle {
        double x, y, r;
        int colour;
    };
    std::vector<Circle> drawn;
    std::uniform_real_distribution<double> across(0, width), down(0, height), radius(3, width / 6.0);
    std::uniform_int_distribution<int> colour(1, colours - 1);
    for (int i = 0; i < circles; ++i) {
        drawn.push_back({across(random), down(random), radius(random), colour(random)});
    }
    return segmentationOf(width, height, [&](int x, int y) {
        int c = 0;
        for (const Circle& k : drawn) {
            if (std::hypot(x + 0.5 - k.x, y + 0.5 - k.y) < k.r) {
                c = k.colour;
            }
        }
        return c;
    });
}

std::vector<NamedSegmentation> syntheticPictures() {
    std::vector<NamedSegmentation> pictures;
    pictures.push_back({"rectangles", segmentationOf(40, 30, [](int x, int y) {
                            if (x >= 8 && x < 20 && y >= 6 && y < 24) {
                                return 1;
                            }
                            return x >= 26 ? 2 : 0;
                        })});
    pictures.push_back({"ring with an island", segmentationOf(40, 40, [](int x, int y) {
                            const double r = std::hypot(x + 0.5 - 20, y + 0.5 - 20);
                            return r < 6 ? 2 : (r < 14 ? 1 : 0);
                        })});
    pictures.push_back({"checkerboard corner",
                        segmentationOf(32, 24, [](int x, int y) { return (x < 16) == (y < 12) ? 0 : 1; })});
    pictures.push_back({"spiral", segmentationOf(48, 48, [](int x, int y) {
                            const double dx = x + 0.5 - 24, dy = y + 0.5 - 24;
                            const double turn = std::atan2(dy, dx) / (2 * M_PI) + 0.5;
                            const double arm = std::hypot(dx, dy) / 8.0 - turn;
                            return std::hypot(dx, dy) > 22 ? 0
                                                           : 1 + static_cast<int>(std::floor(arm * 2)) % 2;
                        })});
    pictures.push_back({"bands along the frame", segmentationOf(36, 20, [](int x, int y) {
                            return y < 3 ? 1 : (x > 32 ? 2 : (x + y < 12 ? 3 : 0));
                        })});
    for (const unsigned seed : {1u, 2u, 3u}) {
        pictures.push_back({"random blobs, seed " + std::to_string(seed), randomBlobs(64, 48, 14, 5, seed)});
    }
    pictures.push_back({"many random blobs, seed 3", randomBlobs(400, 300, 40, 12, 3)});
    return pictures;
}
