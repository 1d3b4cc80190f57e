#include "tools/codecs/png_writer.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include "platform/pixels/surface.h"
#include "tests/support/temp_folder.h"

TEST(Png, WritesTheSurfaceAsItIs) {
    const COLORREF picture[6] = {RGB(255, 0, 0),  RGB(0, 255, 0),    RGB(0, 0, 255),
                                 RGB(10, 20, 30), RGB(200, 100, 50), RGB(255, 255, 255)};
    platform::Surface surface(3, 2);
    for (int i = 0; i < 6; ++i) {
        surface.set(i % 3, i / 3, platform::pixelFromColour(picture[i]));
    }
    const TempFolder folder;
    const std::string path = (folder / "picture.png").string();
    ASSERT_TRUE(codecs::writePng(surface, path));
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* rgb = stbi_load(path.c_str(), &width, &height, &channels, 3);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(RGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]), picture[i]) << i;
    }
    stbi_image_free(rgb);
    EXPECT_FALSE(codecs::writePng(platform::Surface(), path));
}
