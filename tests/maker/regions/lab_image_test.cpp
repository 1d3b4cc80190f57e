// The fast table-driven CIELAB conversion against the exact one, and back.
#include <gtest/gtest.h>

#include "maker/colour/colour_difference.h"
#include "maker/regions/lab_image.h"

TEST(LabImage, MatchesTheExactConversionAndRoundTrips) {
    Picture picture{8, 1, {0x000000, 0xffffff, 0xff0000, 0x00ff00, 0x0000ff, 0x010203, 0x7f8081, 0xc86432}};
    const LabImage image = labImageOf(picture);
    ASSERT_EQ(image.pixels.size(), picture.pixels.size());
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const Lab exact = labOf(picture.pixels[i]);
        const LabPixel& fast = image.pixels[i];
        EXPECT_LT(cie76(exact, {fast.l, fast.a, fast.b}), 0.01) << std::hex << picture.pixels[i];
        EXPECT_EQ(rgbOfLab(fast), picture.pixels[i]);
    }
}

TEST(LabImage, OutOfGamutColoursAreClamped) {
    EXPECT_EQ(rgbOfLab({120, 0, 0}), 0xffffffu);
    EXPECT_EQ(rgbOfLab({-5, 0, 0}), 0x000000u);
}
