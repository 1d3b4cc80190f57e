// The exact distance transform against brute force.
#include <gtest/gtest.h>

#include <random>

#include "maker/outline/distance_transform.h"

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
