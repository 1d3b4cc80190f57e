// The generator's reduction to 256 colours keeps flat colours exact.
#include "tools/vellumar-art/indexed_image.h"

#include <gtest/gtest.h>

#include "platform/pixels/bmp_decoder.h"
#include "tests/support/picture_compare.h"

using platform::Pixel;
using platform::Surface;

TEST(IndexedImage, FewColoursAreKeptExactly) {
    const Surface picture = arttest::rampPicture(7, 4);  // 28 colours
    const art::IndexedImage indexed = art::toIndexed(picture);
    EXPECT_EQ(indexed.palette.size(), arttest::colourCount(picture));
    const auto decoded = platform::decodeBmp(art::encodeIndexedBmp(picture));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_TRUE(arttest::samePicture(*decoded, picture));
}

TEST(IndexedImage, ManyColoursShareAPaletteAndFlatAreasStayExact) {
    // A smooth ramp of 4096 colours beside a flat field of one colour.
    Surface picture(128, 64);
    const Pixel flat = 0x009B90B3;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 128; ++x) {
            picture.set(x, y, x >= 64 ? flat : static_cast<Pixel>((x * 4) << 16 | (y * 4) << 8 | 128));
        }
    }
    ASSERT_GT(arttest::colourCount(picture), 4096u);
    const art::IndexedImage indexed = art::toIndexed(picture);
    EXPECT_LE(indexed.palette.size(), 256u);
    const auto decoded = platform::decodeBmp(art::encodeIndexedBmp(picture));
    ASSERT_TRUE(decoded.has_value());
    for (int y = 0; y < 64; ++y) {
        for (int x = 64; x < 128; ++x) {
            ASSERT_EQ(decoded->at(x, y), flat);
        }
    }
    // 4096 ramp colours in about 255 entries: steps of 16 levels in two
    // channels, so each channel of the ramp is off by a few levels.
    EXPECT_LT(arttest::meanAbsoluteDifference(*decoded, picture), 3.0);
    EXPECT_GT(arttest::meanAbsoluteDifference(*decoded, picture), 0.0);
}
