// The generator's reduction to 256 colours keeps flat colours exact.
#include "tools/vellumar-art/indexed_image.h"

#include <gtest/gtest.h>

#include "platform/bmp_decoder.h"
#include "tests/support/picture_compare.h"

namespace {

using platform::Pixel;
using platform::Surface;

Surface sample(int width, int height) {
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s.set(x, y, static_cast<Pixel>((x * 40) << 16 | (y * 60) << 8 | ((x + y) * 20)));
        }
    }
    return s;
}

void expectSame(const Surface& a, const Surface& b) {
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            ASSERT_EQ(a.at(x, y), b.at(x, y)) << x << ", " << y;
        }
    }
}

}  // namespace

TEST(IndexedImage, FewColoursAreKeptExactly) {
    const Surface picture = sample(7, 4);  // 28 colours
    const art::IndexedImage indexed = art::toIndexed(picture);
    EXPECT_EQ(indexed.palette.size(), arttest::colourCount(picture));
    const auto decoded = platform::decodeBmp(art::encodeIndexedBmp(picture));
    ASSERT_TRUE(decoded.has_value());
    expectSame(*decoded, picture);
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
