// BMP files written by the encoder read back through the decoder.
#include "platform/pixels/bmp_encoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "platform/pixels/bmp_decoder.h"
#include "tests/support/picture_compare.h"

namespace {

using platform::Pixel;
using platform::Surface;

std::uint32_t littleEndian(const std::vector<std::byte>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = v << 8 | static_cast<std::uint32_t>(b[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

}  // namespace

// Widths 1 to 5 give every row padding from 0 to 3 bytes.
TEST(BmpEncoder, TwentyFourBitRowsArePaddedBottomUpAndReadBack) {
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        const Surface picture = arttest::rampPicture(width, 3);
        const std::vector<std::byte> bmp = platform::encodeBmp24(picture);
        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(bmp.size(), 54 + stride * 3);
        // Offset, size in bytes, value: "BM" (0x4D42), file size, pixel offset, info size,
        // width, height (positive: bottom-up), planes, bits, no compression.
        const auto size = static_cast<std::uint32_t>(bmp.size()), w = static_cast<std::uint32_t>(width);
        const std::uint32_t header[][3] = {{0, 2, 0x4D42}, {2, 4, size}, {10, 4, 54}, {14, 4, 40}, {18, 4, w},
                                           {22, 4, 3},     {26, 2, 1},   {28, 2, 24}, {30, 4, 0}};
        for (const auto& [at, bytes, value] : header) {
            EXPECT_EQ(littleEndian(bmp, at, static_cast<int>(bytes)), value) << "at " << at;
        }
        // The first stored row is the picture's bottom row, blue first; padding is zero.
        EXPECT_EQ(littleEndian(bmp, 54, 3), picture.at(0, 2));
        for (std::size_t row = 0; row < 3; ++row) {
            for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad) {
                EXPECT_EQ(bmp[54 + row * stride + pad], std::byte{0});
            }
        }
        const auto decoded = platform::decodeBmp(bmp);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_TRUE(arttest::samePicture(*decoded, picture));
    }
    EXPECT_TRUE(platform::encodeBmp24(Surface()).empty());
}

TEST(BmpEncoder, EightBitFilesReadBackThroughTheirPalette) {
    const std::vector<Pixel> palette = {0x00FF0000, 0x0000FF00, 0x000000FF};
    const std::vector<std::uint8_t> indices = {0, 1, 2, 2, 1, 0, 1, 1, 1, 0};  // 5 x 2
    const std::vector<std::byte> file = platform::encodeBmp8(5, 2, indices, palette);
    EXPECT_EQ(std::tuple(file.size(), arttest::bmpBitsPerPixel(file)),
              std::tuple(14u + 40u + 4u * 3u + 8u * 2u, 8));
    const auto decoded = platform::decodeBmp(file);
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(std::tuple(decoded->width(), decoded->height()), std::tuple(5, 2));
    for (std::size_t i = 0; i < indices.size(); ++i) {
        EXPECT_EQ(decoded->pixels()[i], palette[indices[i]]) << i;
    }
}

TEST(BmpEncoder, EightBitFilesRefuseWhatTheyCannotHold) {
    const std::vector<std::uint8_t> indices(4, 0);
    EXPECT_TRUE(platform::encodeBmp8(2, 2, indices, std::vector<Pixel>(257, 0)).empty());
    EXPECT_TRUE(platform::encodeBmp8(2, 2, indices, std::vector<Pixel>()).empty());
    EXPECT_TRUE(platform::encodeBmp8(3, 2, indices, std::vector<Pixel>(1, 0)).empty());
    EXPECT_TRUE(
        platform::encodeBmp8(2, 2, std::vector<std::uint8_t>{0, 0, 0, 1}, std::vector<Pixel>(1, 0)).empty());
    EXPECT_FALSE(platform::encodeBmp8(2, 2, indices, std::vector<Pixel>(1, 0)).empty());
}
