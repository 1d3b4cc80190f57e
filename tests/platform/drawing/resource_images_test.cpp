// Reading pictures from a module's resources: a bitmap with its larger
// variants in one handle, and the icon at any size.
#include "platform/drawing/resource_images.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/pixels/bmp_encoder.h"
#include "platform/system/resources.h"

namespace {

using platform::Pixel;
using platform::Surface;

constexpr Pixel kRed = 0x00FF0000;
constexpr Pixel kGreen = 0x0000FF00;
constexpr Pixel kBlue = 0x000000FF;

std::vector<std::byte> bmp(int width, int height, Pixel colour) {
    return platform::encodeBmp24(Surface(width, height, colour));
}

std::vector<std::byte> png(int size, const std::vector<unsigned char>& rgba) {
    std::vector<std::byte> out;
    stbi_write_png_to_func(
        [](void* context, void* data, int n) {
            auto* bytes = static_cast<const std::byte*>(data);
            static_cast<std::vector<std::byte>*>(context)->insert(
                static_cast<std::vector<std::byte>*>(context)->end(), bytes, bytes + n);
        },
        &out, size, size, 4, rgba.data(), size * 4);
    return out;
}

// A 4 x 4 icon: opaque white on the left half, transparent on the right,
// except its top-right pixel, which is opaque red.
const std::vector<unsigned char> kIconPixels = {
    255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 255, 0, 0, 255,  // white, white, clear, red
    255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0,   0, 0, 0,    // white, white, clear, clear
    255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0,   0, 0, 0,    // white, white, clear, clear
    255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0,   0, 0, 0};   // white, white, clear, clear

// A module of our own: bitmap 1 with a good 2x variant, a 3x variant of the
// wrong size and a 4x variant that is no picture; bitmap 2 whose 1x picture
// is no picture; icon 5 as a 2-pixel BMP and a 4-pixel PNG.
struct TestModule {
    std::vector<std::byte> one = bmp(3, 2, kRed);
    std::vector<std::byte> two = bmp(6, 4, kGreen);
    std::vector<std::byte> threeWrong = bmp(8, 8, kBlue);
    std::vector<std::byte> garbage = std::vector<std::byte>(64, std::byte{7});
    std::vector<std::byte> iconBmp = bmp(2, 2, kBlue);
    std::vector<std::byte> iconPng = png(4, kIconPixels);
    std::vector<platform::ResourceEntry> entries = {
        {"BITMAP", 1, u"", 1, one},     {"BITMAP", 1, u"", 2, two},     {"BITMAP", 1, u"", 3, threeWrong},
        {"BITMAP", 1, u"", 4, garbage}, {"BITMAP", 2, u"", 1, garbage}, {"ICON", 5, u"", 2, iconBmp},
        {"ICON", 5, u"", 4, iconPng},
    };
    HINSTANCE module = platform::registerModule(platform::ResourceTable{entries});
};

TestModule& testModule() {
    static TestModule m;
    return m;
}

// The bitmap stretched onto a width x height surface.
Surface stretched(HBITMAP bitmap, int width, int height) {
    Surface target(width, height);
    HDC dc = platform::createSurfaceDC(target);
    HDC source = CreateCompatibleDC(nullptr);
    const HBITMAP previous = SelectObject(source, bitmap);
    StretchBlt(dc, 0, 0, width, height, source, 0, 0, 3, 2, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteDC(dc);
    return target;
}

bool allOf(const Surface& s, Pixel colour) {
    return std::ranges::all_of(s.pixels(), [colour](Pixel p) { return p == colour; });
}

}  // namespace

TEST(LoadBitmap, GathersTheUsableVariantsUnderTheOneXSize) {
    HBITMAP bitmap = LoadBitmap(testModule().module, 1);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info;
    ASSERT_NE(GetObject(bitmap, sizeof info, &info), 0);
    EXPECT_EQ((std::array{info.bmWidth, info.bmHeight}), (std::array<LONG, 2>{3, 2}));
    // The 3x variant has the wrong size and the 4x one is no picture, so a
    // larger stretch still reads the 2x variant.
    EXPECT_TRUE(allOf(stretched(bitmap, 3, 2), kRed));
    for (const int scale : {2, 3, 4}) {
        EXPECT_TRUE(allOf(stretched(bitmap, 3 * scale, 2 * scale), kGreen)) << scale;
    }
    EXPECT_TRUE(DeleteObject(bitmap));
    // Decoded once: every load hands out the kept pixels, which a delete leaves alone.
    EXPECT_EQ(LoadBitmap(testModule().module, 1), bitmap);
    EXPECT_TRUE(allOf(stretched(bitmap, 3, 2), kRed));
    // A missing bitmap, or one whose 1x picture is no picture, is none.
    EXPECT_EQ(LoadBitmap(testModule().module, 2), nullptr);
    EXPECT_EQ(LoadBitmap(testModule().module, 3), nullptr);
}

TEST(LoadIcon, GivesEachSizeItsOwnPictureWithItsTransparency) {
    EXPECT_EQ(platform::iconSizes(testModule().module, 5), (std::vector<int>{2, 4}));
    const auto large = platform::loadIcon(testModule().module, 5, 4);
    ASSERT_TRUE(large.has_value());
    ASSERT_EQ(large->pixels.width(), 4);
    EXPECT_EQ((std::array{large->pixels.at(0, 0), large->pixels.at(3, 0)}), (std::array{0x00FFFFFFu, kRed}));
    EXPECT_EQ((std::array{large->alpha[0], large->alpha[2], large->alpha[3]}),
              (std::array<std::uint8_t, 3>{255, 0, 255}));

    const auto small = platform::loadIcon(testModule().module, 5, 2);
    ASSERT_TRUE(small.has_value());
    EXPECT_TRUE(allOf(small->pixels, kBlue)) << "a BMP icon is taken as it is";
    EXPECT_EQ(small->alpha, std::vector<std::uint8_t>(4, 255)) << "and is opaque";
    // No icon, or no size: none.
    EXPECT_FALSE(platform::loadIcon(testModule().module, 6, 16).has_value());
    EXPECT_FALSE(platform::loadIcon(testModule().module, 5, 0).has_value());
    EXPECT_TRUE(platform::iconSizes(testModule().module, 6).empty());
}
