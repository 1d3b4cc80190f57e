// The bitmaps as the game finds them: embedded resources of the sizes and
// depths the faces need, none blank, every larger variant the same picture
// as its 1x bitmap. Their exact pixels are pinned by art_generator_test.cpp.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/resource_images.h"
#include "platform/pixels/bmp_decoder.h"
#include "platform/system/resources.h"
#include "tests/support/picture_compare.h"

extern const platform::ResourceTable vellumarResources;

namespace {

using platform::Pixel;
using platform::Surface;

struct ExpectedBitmap {
    int id, width, height, bits;
};

void PrintTo(const ExpectedBitmap& b, std::ostream* out) {
    *out << b.id;
}

// Every bitmap the game draws, with the size its layout and faces expect.
constexpr ExpectedBitmap kBitmaps[] = {
    {700, 243, 42, 8}, {702, 19, 28, 8},  {703, 19, 28, 8},   {704, 19, 28, 8},   {705, 19, 28, 8},
    {706, 25, 28, 8},  {707, 25, 28, 8},  {708, 19, 28, 8},   {709, 19, 28, 8},   {710, 19, 28, 8},
    {711, 19, 28, 8},  {712, 13, 28, 8},  {713, 13, 28, 8},   {714, 19, 28, 8},   {715, 19, 28, 8},
    {716, 10, 28, 8},  {717, 10, 28, 24}, {718, 240, 290, 8}, {719, 320, 214, 8}, {750, 10, 10, 8},
    {751, 10, 10, 8},  {752, 13, 13, 8},  {753, 13, 13, 24},  {755, 22, 13, 8},   {756, 22, 13, 8},
    {758, 17, 13, 8},  {759, 17, 13, 8},  {760, 17, 13, 8},   {761, 17, 13, 8},   {762, 13, 13, 8},
    {763, 13, 13, 8},  {764, 13, 13, 8},  {766, 46, 28, 8},   {767, 99, 13, 8},   {768, 60, 13, 8},
    {769, 13, 13, 8},  {770, 13, 13, 8},
};

HINSTANCE gameModule() {
    static HINSTANCE module = platform::registerModule(vellumarResources);
    return module;
}

Surface decodeVariant(int id, int scale) {
    const platform::ResourceEntry* entry = platform::findResource(gameModule(), "BITMAP", id, scale);
    if (entry == nullptr) {
        ADD_FAILURE() << "bitmap " << id << " has no variant " << scale;
        return {};
    }
    auto surface = platform::decodeBmp(entry->data);
    if (!surface) {
        ADD_FAILURE() << "bitmap " << id << " at " << scale << "x does not decode";
        return {};
    }
    return std::move(*surface);
}

class EveryBitmap : public ::testing::TestWithParam<ExpectedBitmap> {};

}  // namespace

TEST_P(EveryBitmap, IsAResourceOfItsSizeAndDepthNotBlankAtEveryScale) {
    const ExpectedBitmap b = GetParam();
    const auto variants = platform::findVariants(gameModule(), "BITMAP", b.id);
    ASSERT_EQ(variants.size(), 4u);
    for (int scale = 1; scale <= 4; ++scale) {
        const platform::ResourceEntry* entry = variants[static_cast<std::size_t>(scale - 1)];
        const Surface picture = decodeVariant(b.id, scale);
        EXPECT_EQ(std::tuple(entry->variant, arttest::bmpBitsPerPixel(entry->data), picture.width(),
                             picture.height()),
                  std::tuple(scale, b.bits, b.width * scale, b.height * scale))
            << "at " << scale << "x";
        EXPECT_GT(arttest::colourCount(picture), 1u) << "blank at " << scale << "x";
    }
    HBITMAP loaded = LoadBitmap(gameModule(), b.id);
    ASSERT_NE(loaded, nullptr);
    BITMAP info;
    ASSERT_NE(GetObject(loaded, sizeof info, &info), 0);
    EXPECT_EQ(std::tuple(info.bmWidth, info.bmHeight), std::tuple(b.width, b.height));
    EXPECT_TRUE(DeleteObject(loaded));
}

// Every scale is drawn from one description, and each pixel is the mean of
// its area, so a variant shrunk back by its factor differs from the 1x
// bitmap only where an edge falls between samples (shapes are placed to an
// eighth of a 1x pixel, moving an edge pixel by up to an eighth of the
// edge's contrast), where text is hinted differently at another size, and
// by the rounding of blends into a 256-colour palette. Measured, the means
// stay below 2 levels of 255 (the 10-pixel level dots, nearly all edge, come
// closest); 3 leaves room for that, while a different face, or a mark moved
// by one pixel, lies well above it.
constexpr double kShrunkVariantBound = 3.0;

// The help charts are not drawn from shapes but are the game's own screen
// at each resolution, and the game does not draw alike at every size: its
// outlines and frames are one pixel wide at any scale, and its text (and the
// charts' names) is hinted anew at each size, which moves stroke edges by a
// pixel and changes their weight. A mean over the whole chart cannot tell
// that from a missing name, so the charts are compared over blocks of 4 x 4
// pixels of the 1x chart, counting the blocks that differ by more than 40
// levels: measured, at most 1.5% of them do between scales, and 4.6% when
// every name is taken away.
constexpr int kChartBlock = 4;
constexpr int kChartBlockLevels = 40;
constexpr double kChartDifferingShare = 0.025;

bool isChart(int id) {
    return id == 718 || id == 719;
}

TEST_P(EveryBitmap, LargerVariantsShrinkToTheSamePicture) {
    const ExpectedBitmap b = GetParam();
    const Surface one = decodeVariant(b.id, 1);
    for (int scale = 2; scale <= 4; ++scale) {
        const Surface larger = decodeVariant(b.id, scale);
        if (isChart(b.id)) {
            EXPECT_LT(arttest::shareDifferingBeyond(arttest::shrink(larger, scale * kChartBlock),
                                                    arttest::shrink(one, kChartBlock), kChartBlockLevels),
                      kChartDifferingShare)
                << "at " << scale << "x";
            continue;
        }
        const Surface shrunk = arttest::shrink(larger, scale);
        ASSERT_EQ(shrunk.width(), one.width());
        ASSERT_EQ(shrunk.height(), one.height());
        EXPECT_LT(arttest::meanAbsoluteDifference(shrunk, one), kShrunkVariantBound) << "at " << scale << "x";
    }
}

INSTANTIATE_TEST_SUITE_P(Art, EveryBitmap, ::testing::ValuesIn(kBitmaps),
                         [](const auto& info) { return std::to_string(info.param.id); });
