// What the BMP encoder refuses. The files it writes are pinned byte for byte
// by ArtGenerator.CommittedFilesEqualAFreshGeneration (8-bit and 24-bit
// bitmaps, every row padding of both) and Library.ThumbnailsAreWhatTheToolDrawsFromThePatterns,
// and read back through the game's decoder by the EveryBitmap tests.
#include "platform/pixels/bmp_encoder.h"

#include <gtest/gtest.h>

#include <vector>

using platform::Pixel;

TEST(BmpEncoder, RefusesWhatAFileCannotHold) {
    const std::vector<std::uint8_t> indices(4, 0);
    EXPECT_TRUE(platform::encodeBmp24(platform::Surface()).empty());
    EXPECT_TRUE(platform::encodeBmp8(2, 2, indices, std::vector<Pixel>(257, 0)).empty());
    EXPECT_TRUE(platform::encodeBmp8(2, 2, indices, std::vector<Pixel>()).empty());
    EXPECT_TRUE(platform::encodeBmp8(3, 2, indices, std::vector<Pixel>(1, 0)).empty());
    EXPECT_TRUE(
        platform::encodeBmp8(2, 2, std::vector<std::uint8_t>{0, 0, 0, 1}, std::vector<Pixel>(1, 0)).empty());
    EXPECT_FALSE(platform::encodeBmp8(2, 2, indices, std::vector<Pixel>(1, 0)).empty());
}
