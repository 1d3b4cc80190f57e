// The steps that cut a picture into regions, each on pictures small enough to
// check by hand: connected regions, shared borders kept through merges, the
// disc test, edge-keeping smoothing, the k-means palette and isolated pixels.
// Every segmentation's regions are held to the region finder in
// segment_picture_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "maker/regions/connected_regions.h"
#include "maker/regions/disc_fit.h"
#include "maker/regions/edge_preserving_smoothing.h"
#include "maker/regions/finished_segmentation.h"
#include "maker/regions/isolated_pixels.h"
#include "maker/regions/palette.h"
#include "maker/regions/region_adjacency.h"

namespace {

// A colour grid from rows of digits.
RegionMap regionsOf(const std::vector<std::string>& rows) {
    std::vector<std::uint8_t> colours;
    for (const std::string& row : rows) {
        for (const char c : row) {
            colours.push_back(static_cast<std::uint8_t>(c - '0'));
        }
    }
    return connectedRegions(colours, static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
}

}  // namespace

TEST(ConnectedRegions, CornersDoNotJoinAndRegionsAreNumberedByTheirFirstPixel) {
    EXPECT_EQ(regionsOf({"010", "101"}).regionOf, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(regionsOf({"001", "011"}).regionOf, (std::vector<std::int32_t>{0, 0, 1, 0, 1, 1}));
}

TEST(RegionAdjacency, BorderLengthsAddUpThroughMerges) {
    // Regions: 0 = left column of 0s, 1 = the 1s, 2 = the 2s, 3 = the 3s.
    const RegionMap map = regionsOf({"0112", "0112", "0332"});
    RegionAdjacency adjacency(map);
    const auto lengths = [&](std::int32_t region) {
        std::vector<std::pair<std::int32_t, std::int32_t>> result;
        for (const Border& b : adjacency.neighbours(region)) {
            result.emplace_back(b.region, b.length);
        }
        return result;
    };
    using Lengths = std::vector<std::pair<std::int32_t, std::int32_t>>;
    EXPECT_EQ(lengths(1), (Lengths{{0, 2}, {2, 2}, {3, 2}}));
    adjacency.merge(3, 1);
    EXPECT_EQ(lengths(1), (Lengths{{0, 3}, {2, 3}}));
    EXPECT_EQ(lengths(2), (Lengths{{1, 3}}));
    adjacency.merge(1, 0);
    EXPECT_EQ(adjacency.live(3), 0);
    EXPECT_EQ(lengths(2), (Lengths{{0, 3}}));
}

TEST(DiscFit, NeedsARegionWideEnough) {
    const std::optional<RegionBox> anywhere;
    const struct {
        int width, height;  // of a rectangle in the middle of a frame of another colour
        double radius;
        std::optional<RegionBox> centres;  // where the disc may be centred
        bool holds;
    } cases[] = {{7, 7, 3.0, anywhere, true},
                 {6, 6, 3.0, anywhere, false},
                 {6, 40, 3.0, anywhere, false},
                 {5, 5, 2.0, anywhere, true},
                 {4, 9, 2.0, anywhere, false},
                 {1, 1, 0.0, anywhere, true},
                 {11, 11, 5.0, anywhere, true},
                 {10, 30, 5.0, anywhere, false},
                 // The only centre that fits is (4, 4): in the box or not.
                 {7, 7, 3.0, RegionBox{4, 4, 20, 20}, true},
                 {7, 7, 3.0, RegionBox{0, 0, 3, 20}, false},
                 {7, 7, 3.0, RegionBox{5, 0, 20, 20}, false},
                 {7, 7, 3.0, RegionBox{30, 30, 40, 40}, false},
                 // Fitting centres run x 4 .. 8; the box reaches the first.
                 {11, 7, 3.0, RegionBox{0, 0, 4, 8}, true},
                 {11, 7, 3.0, RegionBox{9, 0, 20, 8}, false}};
    for (const auto& c : cases) {
        std::vector<std::string> rows(c.height + 2, std::string(c.width + 2, '0'));
        for (int y = 1; y <= c.height; ++y) {
            rows[y].replace(1, c.width, c.width, '1');
        }
        const RegionMap map = regionsOf(rows);
        EXPECT_EQ(
            DiscFit(c.radius, c.centres).holdsDisc(map, 1, {1, 1, c.width, c.height}, c.width * c.height),
            c.holds)
            << c.width << " x " << c.height << ", radius " << c.radius << (c.centres ? " in a box" : "");
    }
    // The picture's edge bounds a region as much as another region does.
    const RegionMap whole = regionsOf(std::vector<std::string>(7, "0000000"));
    EXPECT_TRUE(DiscFit(3.0).holdsDisc(whole, 0, {0, 0, 6, 6}, 49));
    EXPECT_FALSE(DiscFit(3.6).holdsDisc(whole, 0, {0, 0, 6, 6}, 49));
}

TEST(EdgePreservingSmoothing, KeepsAStepAndQuietsNoiseOfAnyStrength) {
    for (const float strength :
         {1.0f, 6.0f}) {  // standard deviations; the second needs more than the least sigma
        LabImage image{32, 32, std::vector<LabPixel>(32 * 32)};
        std::minstd_rand random(7);
        std::normal_distribution<float> noise(0.0f, strength);  // the figures need not match across libraries
        for (int i = 0; i < 32 * 32; ++i) {
            image.pixels[i] = {(i % 32 >= 16 ? 80.0f : 20.0f) + noise(random), noise(random), noise(random)};
        }
        const LabImage smooth = smoothKeepingEdges(image);
        double before = 0, after = 0;
        for (int i = 0; i < 32 * 32; ++i) {
            const LabPixel clean{i % 32 >= 16 ? 80.0f : 20.0f, 0, 0};
            before += std::sqrt(squaredDistance(image.pixels[i], clean));
            after += std::sqrt(squaredDistance(smooth.pixels[i], clean));
        }
        EXPECT_LT(after, before / 2) << strength;
        EXPECT_LT(after / (32 * 32), strength) << strength;  // nothing bleeds across the step
    }
}

TEST(KMeansPalette, FindsSeparateClustersAndIsRepeatable) {
    const LabPixel centres[] = {{20, 10, -10}, {50, -30, 20}, {70, 40, 40}, {90, 0, 0}};
    LabImage image{64, 64, {}};
    for (int i = 0; i < 64 * 64; ++i) {
        const LabPixel& c = centres[(i / 64 / 16 + i % 64 / 32) % 4];
        image.pixels.push_back({c.l + (i % 3 - 1), c.a + (i % 5 - 2) * 0.5f, c.b});
    }
    const std::vector<LabPixel> palette = kMeansPalette(image, 4);
    ASSERT_EQ(palette.size(), 4u);
    for (const LabPixel& c : centres) {
        float nearest = 1e9f;
        for (const LabPixel& p : palette) {
            nearest = std::min(nearest, squaredDistance(c, p));
        }
        EXPECT_LT(nearest, 1.0f) << c.l;
    }
    const std::vector<LabPixel> again = kMeansPalette(image, 4);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        EXPECT_EQ(squaredDistance(palette[i], again[i]), 0.0f);
    }
    EXPECT_EQ(kMeansPalette(image, 8).size(), 8u);
}

TEST(IsolatedPixels, TakeTheNeighbourColourNearestTheirOwn) {
    const std::vector<LabPixel> palette{{20, 0, 0}, {80, 0, 0}, {50, 0, 0}};
    const struct {
        std::vector<std::string> before, after;
        float centre;  // the lightness of the middle pixel
    } cases[] = {
        {{"000", "121", "111"}, {"000", "101", "111"}, 34},  // nearer to 0 (20) than to 1 (80)
        {{"000", "121", "111"}, {"000", "111", "111"}, 66},
        {{"000", "122", "111"}, {"000", "122", "111"}, 50},        // shares a side with its own colour
        {{"0101", "1010", "0101"}, {"1111", "1111", "1111"}, 50},  // a checkerboard, taken in raster order
    };
    for (const auto& c : cases) {
        const int w = static_cast<int>(c.before[0].size()), h = static_cast<int>(c.before.size());
        std::vector<std::uint8_t> colours;
        LabImage image{w, h, {}};
        for (const std::string& row : c.before) {
            for (const char ch : row) {
                colours.push_back(static_cast<std::uint8_t>(ch - '0'));
                image.pixels.push_back(palette[ch - '0']);
            }
        }
        image.pixels[static_cast<std::size_t>(h / 2) * w + w / 2].l = c.centre;
        absorbIsolatedPixels(colours, image, palette);
        std::vector<std::string> after(h, std::string(w, ' '));
        for (int i = 0; i < w * h; ++i) {
            after[i / w][i % w] = static_cast<char>('0' + colours[i]);
        }
        EXPECT_EQ(after, c.after) << c.before[1] << " " << c.centre;
    }
}
