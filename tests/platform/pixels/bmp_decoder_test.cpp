// BMP files built byte by byte, decoded into bitmaps.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/drawing/bitmap.h"
#include "platform/pixels/bmp_decoder.h"
#include "tests/support/temp_folder.h"

namespace drawing_test {
namespace {

// The picture every test file holds, 3 x 2, top row first.
const COLORREF kPicture[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                 {RGB(10, 20, 30), RGB(200, 100, 50), RGB(255, 255, 255)}};

struct BmpWriter {
    void u8(unsigned v) { bytes.push_back(static_cast<std::byte>(v & 0xFF)); }
    void u16(unsigned v) { u8(v), u8(v >> 8); }
    void u32(std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
    std::vector<std::byte> bytes;
};

// Header of a 40-byte-info BMP; the file size and pixel offset are filled in by finish().
BmpWriter header(int width, int height, int bits, int paletteSize) {
    BmpWriter w;
    w.u16('B' | 'M' << 8);
    // File size (by finish()), reserved, pixel offset, info size, width, height.
    for (const std::uint32_t field :
         {0u, 0u, 14 + 40 + 4 * static_cast<std::uint32_t>(paletteSize), 40u,
          static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
        w.u32(field);
    }
    w.u16(1);
    w.u16(static_cast<unsigned>(bits));
    // BI_RGB, image size (may be 0 for BI_RGB), resolution, palette size, important colours.
    for (const std::uint32_t field : {0u, 0u, 2835u, 2835u, static_cast<std::uint32_t>(paletteSize), 0u}) {
        w.u32(field);
    }
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
    EXPECT_EQ(std::pair(info.bmWidth, info.bmHeight), (std::pair<LONG, LONG>(3, 2)));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(platform::colourFromPixel(platform::bitmapSurface(bitmap).at(x, y)), kPicture[y][x])
                << x << "," << y;
        }
    }
    DeleteObject(bitmap);
}

TEST(Bmp, ReadsTrueColourAndPalettedRowsEitherWayUp) {
    for (const bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top down" : "bottom up");
        expectPicture(platform::loadBitmap(bmp24(topDown)));
        expectPicture(platform::loadBitmap(bmp8(topDown)));
    }
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
    struct Patch {
        std::size_t at;
        unsigned value;
        const char* what;
    };
    for (const Patch p :
         {Patch{0, 'P', "not BM"}, Patch{18, 0, "width 0"}, Patch{28, 13, "13 bits per pixel"},
          Patch{30, 1, "run-length compressed"}, Patch{14, 20, "unknown info header"},
          Patch{25, 0x7F, "height far beyond the data"}}) {
        auto file = bmp24(false);
        file[p.at] = static_cast<std::byte>(p.value);
        EXPECT_EQ(platform::loadBitmap(file), nullptr) << p.what;
    }
    auto file = bmp24(false);
    file[38] = std::byte{1};  // the resolution does not matter
    EXPECT_NE(platform::OwnedBitmap(platform::loadBitmap(file)), nullptr);
}

std::u16string writeFile(const TempFolder& folder, const char* name, const std::vector<std::byte>& bytes) {
    folder.write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return platform::utf8ToUtf16((folder / name).string());
}

TEST(SHLoadDIBitmap, LoadsAFileAndAnswersNullForMissingOrBadOnes) {
    const TempFolder folder;
    expectPicture(SHLoadDIBitmap(writeFile(folder, "good.bmp", bmp8(false)).c_str()));
    EXPECT_EQ(
        SHLoadDIBitmap(writeFile(folder, "bad.bmp", std::vector<std::byte>(100, std::byte{'B'})).c_str()),
        nullptr);
    EXPECT_EQ(SHLoadDIBitmap(u"/no/such/folder/thumbnail.bmp"), nullptr);
    EXPECT_EQ(SHLoadDIBitmap(nullptr), nullptr);
}

}  // namespace
}  // namespace drawing_test
