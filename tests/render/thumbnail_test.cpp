// The thumbnail renderer on pictures made in code: its size at any aspect.
// What it draws is pinned by the committed thumbnails of every bundled
// pattern (tests/resources/patterns_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>

#include "render/thumbnail.h"
#include "tests/support/pattern_builder.h"

namespace {

// One piece covering the whole picture, of the given source size.
std::unique_ptr<LoadedTestPattern> redPicture(int sourceWidth, int sourceHeight) {
    PatternFile file = redSquareFile();
    file.header.sourceWidth = sourceWidth;
    file.header.sourceHeight = sourceHeight;
    return loadFromRecords(file);
}

}  // namespace

// Fits the box with the picture's aspect: one side fills the box and the
// other is within half a pixel of the exact proportion. Where the size was
// rounded the game would leave a strip of board grey; the thumbnail shows
// the picture edge to edge.
TEST(Thumbnail, FitsTheBoxWithThePicturesAspectAndIsCoveredByThePicture) {
    const std::pair<int, int> sizes[] = {{100, 100}, {300, 100}, {100, 300},  {77, 53},
                                         {53, 77},   {640, 479}, {1000, 651}, {651, 1000}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const auto loaded = redPicture(w, h);
        Pattern& p = loaded->pattern;
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
        const platform::Surface thumbnail = renderThumbnail(p, size.width, size.height);
        ASSERT_EQ(thumbnail.width(), size.width);
        ASSERT_EQ(thumbnail.height(), size.height);
        EXPECT_EQ(std::ranges::count(thumbnail.pixels(), 0xFF0000u), size.width * size.height);
    }
}
