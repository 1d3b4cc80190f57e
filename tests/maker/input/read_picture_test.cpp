// Picture files of every kind the maker reads, and every way a file can be
// wrong: each gives the picture or one plain reason.
#include <gtest/gtest.h>
#include <stb_image_write.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "maker/input/read_picture.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// 4 x 2: red, blue, red, transparent / blue, half-transparent black, red, blue.
std::vector<unsigned char> rgbaPixels() {
    return {255, 0, 0,   255, 0, 0, 255, 255, 255, 0, 0, 255, 9, 9, 9,   0,
            0,   0, 255, 255, 0, 0, 0,   128, 255, 0, 0, 255, 0, 0, 255, 255};
}
const std::vector<std::uint32_t> kComposited = {kRed, kBlue, kRed, kWhite, kBlue, 0x7F7F7F, kRed, kBlue};

void writePng(const std::filesystem::path& path, int channels = 4) {
    std::vector<unsigned char> pixels = rgbaPixels();
    if (channels == 3) {  // drop alpha
        std::vector<unsigned char> rgb;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            if (i % 4 != 3) {
                rgb.push_back(pixels[i]);
            }
        }
        pixels = rgb;
    }
    stbi_write_png(path.c_str(), 4, 2, channels, pixels.data(), 4 * channels);
}

void writeBmp(const std::filesystem::path& path) {
    const std::vector<unsigned char> rgb = {255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 0, 0};
    stbi_write_bmp(path.c_str(), 2, 2, 3, rgb.data());
}

// 2 x 2 red/blue checks; every LZW code follows a clear code, so all are 3 bits.
const std::string kGif(
    "GIF89a\x02\x00\x02\x00\x80\x00\x00\xFF\x00\x00\x00\x00\xFF"
    "\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x00\x02\x04\x04\xC3\x10\x05\x00\x3B",
    37);

// Only the signature and a header: 100,001 x 1,001 pixels.
std::string hugePngHeader() {
    return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa1\0\0\x03\xe9\x08\x02\0\0\0\0\0\0\0", 33);
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void cut(const std::filesystem::path& path, std::size_t keep) {
    const std::string bytes = readBytes(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(keep));
}

struct FileCase {
    const char* name;
    std::function<void(const TempFolder&, const std::filesystem::path&)> make;
    std::vector<std::uint32_t> pixels;  // the picture expected, or
    const char* error;                  // a phrase of the reason
};

const FileCase kFiles[] = {
    {"png_alpha_over_white", [](auto&, auto& p) { writePng(p); }, kComposited, nullptr},
    {"bmp", [](auto&, auto& p) { writeBmp(p); }, {kRed, kBlue, kBlue, kRed}, nullptr},
    {"gif",
     [](const TempFolder& f, auto& p) { f.write(p.filename().string(), kGif); },
     {kRed, kBlue, kBlue, kRed},
     nullptr},
    {"truncated_png",
     [](auto&, auto& p) {
         writePng(p);
         cut(p, 60);
     },
     {},
     "truncated PNG"},
    {"truncated_jpeg",
     [](auto&, auto& p) {
         const std::vector<unsigned char> rgb(16 * 16 * 3, 90);
         stbi_write_jpg(p.c_str(), 16, 16, 3, rgb.data(), 90);
         cut(p, std::filesystem::file_size(p) - 2);
     },
     {},
     "truncated JPEG"},
    {"truncated_bmp",
     [](auto&, auto& p) {
         writeBmp(p);
         cut(p, 60);
     },
     {},
     "truncated BMP"},
    {"truncated_gif",
     [](const TempFolder& f, auto& p) { f.write(p.filename().string(), kGif.substr(0, 30)); },
     {},
     "truncated GIF"},
    {"huge_header",
     [](const TempFolder& f, auto& p) { f.write(p.filename().string(), hugePngHeader()); },
     {},
     "100001 x 1001 pixels"},
    {"fifo", [](auto&, auto& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, {}, "not a regular file"},
    {"folder", [](auto&, auto& p) { std::filesystem::create_directory(p); }, {}, "is a folder"},
    {"missing", [](auto&, auto&) {}, {}, "cannot be opened"},
    {"text", [](const TempFolder& f, auto& p) { f.write(p.filename().string(), "hello"); }, {}, "not a PNG"},
    {"single_colour",
     [](auto&, auto& p) {
         writeBmp(p);
         std::string b = readBytes(p);
         std::ofstream(p, std::ios::binary).write(b.data(), 54) << std::string(16, '\x40');
     },
     {},
     "single colour"},
};

class ReadPicture : public testing::TestWithParam<FileCase> {};

TEST_P(ReadPicture, GivesThePictureOrTheReason) {
    const TempFolder folder;
    const std::filesystem::path path = folder / "picture";
    GetParam().make(folder, path);
    const PictureReadResult result = readPicture(path.string());
    if (GetParam().error != nullptr) {
        EXPECT_FALSE(result.picture);
        EXPECT_NE(result.error.find(GetParam().error), std::string::npos) << result.error;
        EXPECT_EQ(result.error.find('\n'), std::string::npos);
        return;
    }
    ASSERT_TRUE(result.picture) << result.error;
    EXPECT_EQ(result.picture->pixels, GetParam().pixels);
    EXPECT_FALSE(result.picture->flat);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadPicture, testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadPicture, RasterIsScaledDownToTheLongSideOnly) {
    const TempFolder folder;
    writePng(folder / "p.png", 3);  // 4 x 2, opaque
    const PictureReadResult half = readPicture((folder / "p.png").string(), 2);
    ASSERT_TRUE(half.picture) << half.error;
    EXPECT_EQ(half.picture->width, 2);
    EXPECT_EQ(half.picture->height, 1);
    // (red + blue + blue + black) / 4 and (red + (9, 9, 9) + red + blue) / 4, rounded
    EXPECT_EQ(half.picture->pixels, (std::vector<std::uint32_t>{0x400080, 0x820242}));
    const PictureReadResult same = readPicture((folder / "p.png").string(), 8);
    ASSERT_TRUE(same.picture);
    EXPECT_EQ(same.picture->width, 4);
}

// An SVG never fetches anything: what would make a browser fetch another
// file is refused by name; references inside the drawing or carried in it
// are not.
TEST(ReadPicture, AnSvgThatRefersToOutsideFilesIsRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"<image xlink:href='photo.jpg'/>", "(photo.jpg)"},
        {"<use href='parts.svg#wheel'/>", "(parts.svg#wheel)"},
        {"<g xml:base='http://example.invalid/'/>", "(xml:base"},
        {"<rect width='1' height='1' fill='url(paints.svg#g)'/>", "(paints.svg#g)"},
        {"<style>@import url(more.css);</style>", "(more.css)"},
        {"<image href='data:image/png;base64,AAAA'/><use href='#r'/><a href='https://example.invalid/'/>",
         nullptr},
    };
    for (const auto& [element, reference] : cases) {
        const std::string svg =
            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
            "viewBox='0 0 4 4'><rect id='r' width='2' height='4'/>" +
            std::string(element) + "</svg>";
        const PictureReadResult result =
            readPictureFromMemory(std::as_bytes(std::span(svg.data(), svg.size())), 8);
        if (reference == nullptr) {
            EXPECT_TRUE(result.picture) << element << ": " << result.error;
            continue;
        }
        EXPECT_FALSE(result.picture) << element;
        EXPECT_NE(result.error.find(std::string("outside file ") + reference), std::string::npos)
            << result.error;
    }
    const std::string entity =
        "<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY e SYSTEM 'file:///etc/passwd'>]>"
        "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 4 4'><rect width='2' height='4'/></svg>";
    EXPECT_FALSE(readPictureFromMemory(std::as_bytes(std::span(entity.data(), entity.size())), 8).picture);
}

}  // namespace
