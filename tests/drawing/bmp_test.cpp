// BMP files built byte by byte, decoded into bitmaps; and PNG written back.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/bmp_decoder.h"
#include "platform/png_writer.h"
#include "platform/text.h"

namespace drawing_test {
namespace {

// The picture every test file holds, 3 x 2, top row first.
const COLORREF kPicture[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                 {RGB(10, 20, 30), RGB(200, 100, 50), RGB(255, 255, 255)}};

class BmpWriter {
  public:
    void u8(unsigned v) { bytes.push_back(static_cast<std::byte>(v & 0xFF)); }
    void u16(unsigned v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    std::vector<std::byte> bytes;
};

// Header of a 40-byte-info BMP; the file size and pixel offset are filled in by finish().
BmpWriter header(int width, int height, int bits, int paletteSize) {
    BmpWriter w;
    w.u8('B');
    w.u8('M');
    w.u32(0);  // file size
    w.u32(0);  // reserved
    w.u32(14 + 40 + 4 * static_cast<std::uint32_t>(paletteSize));
    w.u32(40);
    w.u32(static_cast<std::uint32_t>(width));
    w.u32(static_cast<std::uint32_t>(height));
    w.u16(1);
    w.u16(static_cast<unsigned>(bits));
    w.u32(0);  // BI_RGB
    w.u32(0);  // image size: may be 0 for BI_RGB
    w.u32(2835);
    w.u32(2835);
    w.u32(static_cast<std::uint32_t>(paletteSize));
    w.u32(0);
    return w;
}

void finish(BmpWriter& w) {
    const auto size = static_cast<std::uint32_t>(w.bytes.size());
    for (int i = 0; i < 4; ++i) {
        w.bytes[static_cast<std::size_t>(2 + i)] = static_cast<std::byte>((size >> (8 * i)) & 0xFF);
    }
}

// Rows in file order: bottom row first unless top-down.
std::vector<int> fileRows(bool topDown) {
    return topDown ? std::vector<int>{0, 1} : std::vector<int>{1, 0};
}

std::vector<std::byte> bmp24(bool topDown) {
    BmpWriter w = header(3, topDown ? -2 : 2, 24, 0);
    for (const int y : fileRows(topDown)) {
        for (const COLORREF c : kPicture[y]) {
            w.u8(GetBValue(c));
            w.u8(GetGValue(c));
            w.u8(GetRValue(c));
        }
        for (int pad = 9; pad % 4 != 0; ++pad) {
            w.u8(0);
        }
    }
    finish(w);
    return w.bytes;
}

std::vector<std::byte> bmp8(bool topDown) {
    BmpWriter w = header(3, topDown ? -2 : 2, 8, 7);
    // Palette entries (blue, green, red, 0), in an order unlike the picture's.
    w.u32(0);
    for (int y = 1; y >= 0; --y) {
        for (int x = 2; x >= 0; --x) {
            const COLORREF c = kPicture[y][x];
            w.u8(GetBValue(c));
            w.u8(GetGValue(c));
            w.u8(GetRValue(c));
            w.u8(0);
        }
    }
    // Index of picture pixel (x, y) in that palette: 1 + (1 - y) * 3 + (2 - x).
    for (const int y : fileRows(topDown)) {
        for (int x = 0; x < 3; ++x) {
            w.u8(static_cast<unsigned>(1 + (1 - y) * 3 + (2 - x)));
        }
        w.u8(0);  // rows are padded to four bytes
    }
    finish(w);
    return w.bytes;
}

void expectPicture(HBITMAP bitmap) {
    ASSERT_NE(bitmap, nullptr);
    BITMAP info;
    ASSERT_NE(GetObject(bitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(platform::colourFromPixel(platform::bitmapSurface(bitmap).at(x, y)), kPicture[y][x])
                << x << "," << y;
        }
    }
    DeleteObject(bitmap);
}

TEST(Bmp, Reads24BitBottomUp) {
    expectPicture(platform::loadBitmap(bmp24(false)));
}
TEST(Bmp, Reads24BitTopDown) {
    expectPicture(platform::loadBitmap(bmp24(true)));
}
TEST(Bmp, Reads8BitPalettedBottomUp) {
    expectPicture(platform::loadBitmap(bmp8(false)));
}
TEST(Bmp, Reads8BitPalettedTopDown) {
    expectPicture(platform::loadBitmap(bmp8(true)));
}

TEST(Bmp, TruncatedFilesFailCleanly) {
    for (auto file : {bmp24(false), bmp8(true)}) {
        for (const std::size_t cut : {std::size_t{1}, std::size_t{4}, file.size() - 20, file.size() - 1}) {
            std::vector<std::byte> part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_EQ(platform::loadBitmap(part), nullptr) << "cut at " << cut;
        }
    }
    EXPECT_EQ(platform::loadBitmap({}), nullptr);
}

TEST(Bmp, CorruptHeadersFailCleanly) {
    auto patched = [](std::size_t at, unsigned value) {
        auto file = bmp24(false);
        file[at] = static_cast<std::byte>(value);
        return file;
    };
    EXPECT_EQ(platform::loadBitmap(patched(0, 'P')), nullptr);    // not "BM"
    EXPECT_EQ(platform::loadBitmap(patched(18, 0)), nullptr);     // width 0
    EXPECT_EQ(platform::loadBitmap(patched(28, 13)), nullptr);    // 13 bits per pixel
    EXPECT_EQ(platform::loadBitmap(patched(30, 1)), nullptr);     // run-length compressed
    EXPECT_EQ(platform::loadBitmap(patched(14, 20)), nullptr);    // unknown info header
    EXPECT_EQ(platform::loadBitmap(patched(25, 0x7F)), nullptr);  // height far beyond the data
    EXPECT_NE(platform::OwnedBitmap(platform::loadBitmap(patched(38, 1))),
              nullptr);  // resolution does not matter
}

class TempFile {
  public:
    explicit TempFile(const std::vector<std::byte>& bytes)
        : path_(std::filesystem::temp_directory_path() / ("vellumar-drawing-" + std::to_string(::getpid()) +
                                                          "-" + std::to_string(counter++) + ".bmp")) {
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::u16string path() const { return platform::utf8ToUtf16(path_.string()); }

  private:
    static inline int counter = 0;
    std::filesystem::path path_;
};

TEST(SHLoadDIBitmap, LoadsAFileAndAnswersNullForMissingOrBadOnes) {
    const TempFile good(bmp8(false));
    expectPicture(SHLoadDIBitmap(good.path().c_str()));
    const TempFile bad(std::vector<std::byte>(100, std::byte{'B'}));
    EXPECT_EQ(SHLoadDIBitmap(bad.path().c_str()), nullptr);
    EXPECT_EQ(SHLoadDIBitmap(u"/no/such/folder/thumbnail.bmp"), nullptr);
    EXPECT_EQ(SHLoadDIBitmap(nullptr), nullptr);
}

TEST(Png, WritesTheSurfaceAsItIs) {
    platform::Surface surface(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            surface.set(x, y, platform::pixelFromColour(kPicture[y][x]));
        }
    }
    const auto path =
        std::filesystem::temp_directory_path() / ("vellumar-png-" + std::to_string(::getpid()) + ".png");
    ASSERT_TRUE(platform::writePng(surface, path.string()));
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* rgb = stbi_load(path.string().c_str(), &width, &height, &channels, 3);
    std::filesystem::remove(path);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    for (int i = 0; i < 6; ++i) {
        const COLORREF c = kPicture[i / 3][i % 3];
        EXPECT_EQ(RGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]), c) << i;
    }
    stbi_image_free(rgb);
    EXPECT_FALSE(platform::writePng(platform::Surface(), path.string()));
}

}  // namespace
}  // namespace drawing_test
