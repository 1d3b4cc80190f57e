// The distance transform against brute force; the colour merging rules.
#include <gtest/gtest.h>

#include <random>

#include "tools/vellumar-pattern/compile/colour_merge.h"
#include "tools/vellumar-pattern/compile/piece_measure.h"

TEST(ColourMerging, GroupsTakeTheLargestMembersColour) {
    const std::vector<ColourUse> uses = {
        {{250, 10, 10}, 5}, {{252, 12, 8}, 50}, {{0, 0, 0}, 10}, {{251, 10, 11}, 1}};
    const auto merged = mergeColours(uses, 32);
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(merged[i].red, 252);
        EXPECT_EQ(merged[i].green, 12);
    }
    EXPECT_EQ(merged[2].red, 0);
    const auto one = mergeColours(uses, 1);
    for (const ColourRecord& c : one) {
        EXPECT_EQ(c.red, 252) << "the reds cover the most area";
    }
}

TEST(DistanceTransform, MatchesBruteForce) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    const int columns = 23, rows = 17;
    for (int round = 0; round < 20; ++round) {
        std::vector<bool> feature(columns * rows);
        for (std::size_t i = 0; i < feature.size(); ++i) {
            feature[i] = random() % 9 == 0;
        }
        feature[random() % feature.size()] = true;
        const auto d = distanceTransform(feature, columns, rows);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                double best = 1e300;
                for (int i = 0; i < columns * rows; ++i) {
                    if (feature[i]) {
                        const double dx = c - i % columns, dy = r - i / columns;
                        best = std::min(best, dx * dx + dy * dy);
                    }
                }
                ASSERT_EQ(d[r * columns + c], best) << "seed " << seed << " cell " << c << ", " << r;
            }
        }
    }
}
