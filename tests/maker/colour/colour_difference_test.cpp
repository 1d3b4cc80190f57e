// CIEDE2000 against published reference pairs; sRGB into CIELAB.
#include <gtest/gtest.h>

#include "maker/colour/colour_difference.h"

TEST(Ciede2000, ReferencePairs) {
    EXPECT_NEAR(ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(ciede2000({50, 3.1571, -77.2803}, {50, 0, -82.7485}), 2.8615, 1e-4);
    EXPECT_NEAR(ciede2000({50, 2.5, 0}, {73, 25, -18}), 27.1492, 1e-4);
    EXPECT_NEAR(ciede2000({50, 2.5, 0}, {50, 3.1736, 0.5854}), 1.0, 1e-4);
    EXPECT_EQ(ciede2000({40, 10, -5}, {40, 10, -5}), 0.0);
}

TEST(Ciede2000, SrgbToLab) {
    const Lab white = labOf(0xffffff);
    EXPECT_NEAR(white.l, 100, 0.01);
    EXPECT_NEAR(white.a, 0, 0.01);
    EXPECT_NEAR(white.b, 0, 0.01);
    const Lab red = labOf(0xff0000);
    EXPECT_NEAR(red.l, 53.24, 0.05);
    EXPECT_NEAR(red.a, 80.09, 0.05);
    EXPECT_NEAR(red.b, 67.20, 0.05);
}

TEST(Cie76, IsTheDistanceInLab) {
    EXPECT_DOUBLE_EQ(cie76({50, 3, 4}, {50, 0, 0}), 5.0);
    EXPECT_DOUBLE_EQ(cie76({10, 0, 0}, {12, 0, 0}), 2.0);
}
