// The 24-bit BMP writer and the thumbnail renderer on pictures made in code.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "platform/bitmap.h"
#include "platform/bmp_encoder.h"
#include "platform/gdi_objects.h"
#include "render/thumbnail.h"
#include "tests/support/pattern_builder.h"
#include "tools/vellumar-pattern/bmp_writer.h"

namespace {

std::uint32_t read32(const std::vector<std::byte>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t read16(const std::vector<std::byte>& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned>(b[at]) | static_cast<unsigned>(b[at + 1]) << 8);
}

platform::Surface randomSurface(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    platform::Surface s(width, height);
    for (platform::Pixel& p : s.pixels()) {
        p = random() & 0xFFFFFFu;
    }
    return s;
}

// One piece covering the whole picture, of the given source size.
std::unique_ptr<LoadedTestPattern> redPicture(int sourceWidth, int sourceHeight) {
    PatternFile file = redSquareFile();
    file.header.sourceWidth = sourceWidth;
    file.header.sourceHeight = sourceHeight;
    return loadFromRecords(file);
}

}  // namespace

// Widths 1 to 5 give every row padding from 0 to 3 bytes.
TEST(BmpWriter, RowsArePaddedBottomUpAndReadBackThroughTheGamesDecoder) {
    for (int width = 1; width <= 5; ++width) {
        SCOPED_TRACE(width);
        const int height = 3;
        const platform::Surface picture = randomSurface(width, height, 17u + static_cast<unsigned>(width));
        const std::vector<std::byte> bmp = platform::encodeBmp24(picture);

        const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(bmp.size(), 54 + stride * height);
        EXPECT_EQ(bmp[0], std::byte{'B'});
        EXPECT_EQ(bmp[1], std::byte{'M'});
        EXPECT_EQ(read32(bmp, 2), bmp.size());
        EXPECT_EQ(read32(bmp, 10), 54u);
        EXPECT_EQ(read32(bmp, 14), 40u);
        EXPECT_EQ(static_cast<std::int32_t>(read32(bmp, 18)), width);
        EXPECT_EQ(static_cast<std::int32_t>(read32(bmp, 22)), height);  // positive: bottom-up
        EXPECT_EQ(read16(bmp, 26), 1);
        EXPECT_EQ(read16(bmp, 28), 24);
        EXPECT_EQ(read32(bmp, 30), 0u);

        // The first stored row is the picture's bottom row, blue first.
        const platform::Pixel bottomLeft = picture.at(0, height - 1);
        EXPECT_EQ(static_cast<unsigned>(bmp[54]), bottomLeft & 0xFF);
        EXPECT_EQ(static_cast<unsigned>(bmp[55]), (bottomLeft >> 8) & 0xFF);
        EXPECT_EQ(static_cast<unsigned>(bmp[56]), (bottomLeft >> 16) & 0xFF);
        for (int row = 0; row < height; ++row) {
            for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad) {
                EXPECT_EQ(bmp[54 + static_cast<std::size_t>(row) * stride + pad], std::byte{0});
            }
        }

        const HBITMAP loaded = platform::loadBitmap(bmp);
        ASSERT_NE(loaded, nullptr);
        const platform::Surface& back = platform::bitmapSurface(loaded);
        ASSERT_EQ(back.width(), width);
        ASSERT_EQ(back.height(), height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(back.at(x, y), picture.at(x, y)) << x << "," << y;
            }
        }
        DeleteObject(loaded);
    }
}

TEST(BmpWriter, AnEmptySurfaceGivesNoFile) {
    EXPECT_TRUE(platform::encodeBmp24(platform::Surface()).empty());
}

// Fits the box with the picture's aspect: one side fills the box and the
// other is within half a pixel of the exact proportion.
TEST(Thumbnail, SizeFitsTheBoxWithThePicturesAspect) {
    for (const auto& [w, h] : {std::pair{100, 100},
                               {300, 100},
                               {100, 300},
                               {77, 53},
                               {53, 77},
                               {640, 479},
                               {1000, 651},
                               {651, 1000}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const auto loaded = redPicture(w, h);
        const Pattern& p = loaded->pattern;
        const ThumbnailSize size = thumbnailSize(p, kThumbnailBoxWidth, kThumbnailBoxHeight);
        EXPECT_LE(size.width, kThumbnailBoxWidth);
        EXPECT_LE(size.height, kThumbnailBoxHeight);
        EXPECT_TRUE(size.width == kThumbnailBoxWidth || size.height == kThumbnailBoxHeight);
        const double aspect = static_cast<double>(p.extentWidth) / static_cast<double>(p.extentHeight);
        if (size.width == kThumbnailBoxWidth) {
            EXPECT_NEAR(size.height, size.width / aspect, 0.5);
        } else {
            EXPECT_NEAR(size.width, size.height * aspect, 0.5);
        }
    }
}

// Where the size was rounded the game would leave a strip of board grey; the
// thumbnail shows the picture edge to edge.
TEST(Thumbnail, ThePictureCoversTheWholeThumbnail) {
    for (const auto& [w, h] : {std::pair{100, 100},
                               {300, 100},
                               {100, 300},
                               {77, 53},
                               {53, 77},
                               {640, 479},
                               {1000, 651},
                               {651, 1000}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const auto loaded = redPicture(w, h);
        const ThumbnailSize size = thumbnailSize(loaded->pattern, kThumbnailBoxWidth, kThumbnailBoxHeight);
        const platform::Surface thumbnail = renderThumbnail(loaded->pattern, size.width, size.height);
        ASSERT_EQ(thumbnail.width(), size.width);
        ASSERT_EQ(thumbnail.height(), size.height);
        int notRed = 0;
        for (const platform::Pixel p : thumbnail.pixels()) {
            notRed += p != 0xFF0000u;
        }
        EXPECT_EQ(notRed, 0);
    }
}

// The thumbnail is the finished picture: every piece painted in its colour,
// no grey outlines and no numbers.
TEST(Thumbnail, ShowsEveryPiecePaintedWithoutOutlinesOrNumbers) {
    PatternFile file = squareFile(true);
    addColour(file, 0, 0, 255);
    addColour(file, 0, 200, 0);
    addPolylinePiece(file, {{0, 0}, {16000, 0}, {16000, 16000}, {0, 16000}, {0, 0}}, 0);
    addPolylinePiece(file, {{0, 0}, {8000, 0}, {8000, 16000}, {0, 16000}, {0, 0}}, 1, 4000, 8000);
    const auto loaded = loadFromRecords(file);
    const platform::Surface thumbnail = renderThumbnail(loaded->pattern, 96, 96);
    ASSERT_EQ(thumbnail.width(), 96);
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            const platform::Pixel p = thumbnail.at(x, y);
            if (x < 47 || x > 48) {
                ASSERT_EQ(p, x < 47 ? 0x00C800u : 0x0000FFu) << x << "," << y;
                continue;
            }
            // Beside the border a pixel may mix the two colours, and nothing
            // else: a grey outline or a black number would show here.
            const double green = ((p >> 8) & 0xFF) / 200.0;
            const double blue = (p & 0xFF) / 255.0;
            ASSERT_EQ(p >> 16, 0u) << x << "," << y;
            ASSERT_NEAR(green + blue, 1.0, 0.02) << x << "," << y;
        }
    }
    EXPECT_EQ(loaded->pattern.piecesLeft, 0);
}
