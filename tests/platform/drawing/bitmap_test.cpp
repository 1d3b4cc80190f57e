// Bitmaps: their creation, and the choice among their larger variants.
#include "platform/drawing/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "tests/support/test_canvas.h"

namespace drawing_test {
namespace {

TEST(CreateCompatibleBitmap, IsBlackAndRefusesNegativeSizes) {
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 3, 2);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(std::ranges::count(platform::bitmapSurface(bitmap).pixels(), 0u), 6);
    DeleteObject(bitmap);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, -1, 2), nullptr);
    // An empty bitmap is drawn on without effect.
    TestCanvas empty(0, 0);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    const RECT r{0, 0, 10, 10};
    FillRect(empty.dc(), &r, brush);
    DeleteObject(brush);
}

// A 2 x 2 bitmap (blue 1) with variants at 2x and 4x (none at 3x), each tagged
// in its blue channel with its scale, and its pixel position in red and green.
class VariantBitmap : public CoordinateCanvas {
  public:
    VariantBitmap() : CoordinateCanvas(2, 2, 1) {
        for (const int scale : {2, 4}) {
            EXPECT_TRUE(
                platform::addBitmapVariant(bitmap(), scale, coordinateSurface(2 * scale, 2 * scale, scale)));
        }
    }
};

TEST(Variants, StretchSamplesTheSmallestVariantAtLeastAsLargeAsTheDestination) {
    VariantBitmap source;
    BITMAP info;
    ASSERT_EQ(GetObject(source.bitmap(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ((std::array{info.bmWidth, info.bmHeight}), (std::array<LONG, 2>{2, 2})) << "the 1x size";
    EXPECT_EQ(GetObject(source.bitmap(), 4, &info), 0);
    for (const auto& [size, scale] : {std::pair{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 4}, {8, 4}, {20, 4}}) {
        TestCanvas canvas(20, 20);
        StretchBlt(canvas.dc(), 0, 0, size, size, source.dc(), 0, 0, 2, 2, SRCCOPY);
        EXPECT_EQ(GetBValue(canvas.at(0, 0)), scale) << "destination " << size;
        EXPECT_EQ(GetBValue(canvas.at(size - 1, size - 1)), scale) << "destination " << size;
    }
    // A part of the bitmap is found at its place in the variant: the right
    // column, stretched to 2 x 4, comes from columns 2-3 of the 2x picture.
    TestCanvas canvas(4, 4);
    StretchBlt(canvas.dc(), 0, 0, 2, 4, source.dc(), 1, 0, 1, 2, SRCCOPY);
    EXPECT_EQ((std::array{canvas.at(0, 0), canvas.at(1, 3)}), (std::array{RGB(2, 0, 2), RGB(3, 3, 2)}));
    // A plain copy stays with the 1x picture.
    TestCanvas plain(2, 2);
    BitBlt(plain.dc(), 0, 0, 2, 2, source.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(plain.at(1, 1), RGB(1, 1, 1));
}

}  // namespace
}  // namespace drawing_test
