// Every bundled pattern's board, drawn whole and zoomed in, hashed pixel by
// pixel: the drawing code may get faster, but not one pixel may change. The
// hashes were taken from the drawing code before its speed work.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/pixels/surface.h"
#include "render/board_picture.h"
#include "tests/support/pattern_builder.h"
#include "pattern/view_transform.h"

namespace {

struct BoardHash {
    const char* pattern;
    std::uint64_t whole;   // 720 x 882 at zoom 1
    std::uint64_t zoomed;  // 1440 x 1764 at zoom 3.375, off centre
};

// FNV-1a over every pixel, row by row.
std::uint64_t hashOf(const platform::Surface& surface) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const platform::Pixel pixel : surface.pixels()) {
        hash = (hash ^ pixel) * 0x100000001b3ull;
    }
    return hash;
}

std::uint64_t boardHash(const std::filesystem::path& file, int width, int height, float zoom) {
    const auto loaded = loadFromBytes(fileBytes(file));
    Pattern& pattern = loaded->pattern;
    EXPECT_TRUE(pattern.loadError.empty()) << file << ": " << pattern.loadError;
    fitToBoard(pattern, width, height);
    // Every third piece painted, as in a game under way.
    for (std::size_t k = 0; k < pattern.pieces.size(); k += 3) {
        pattern.pieces[k].painted = 1;
        pattern.pieces[k].paintedColour = pattern.pieces[k].colour;
    }
    const ViewTransform& fit = pattern.viewTransform;
    const bool whole = zoom == 1.0f;
    const BoardView view{{0, 0, width, height},
                         zoom,
                         whole ? 0 : fit.extentWidthUnits / 5,
                         whole ? 0 : -fit.extentHeightUnits / 6};
    return hashOf(drawBoardPicture(pattern, view, 288));
}

const BoardHash kHashes[] = {
    {"Autumn Park", 0x6ec19fc272c16f31ull, 0x05e4f9c2a3db42d2ull},
    {"Birthday Cake", 0xffa9241251010fd4ull, 0x264869fc22b5c4fbull},
    {"Brown Bear", 0xf4cfe7782e7fc8ddull, 0xdf54093ecdf03160ull},
    {"Butterfly", 0xf568f6834255c23aull, 0xcd33918441fd279cull},
    {"Christmas Tree", 0x0e563c8f8a11a57bull, 0x67a12faf986d3f9full},
    {"Citrus Fruits", 0xe1a9791b959420b5ull, 0xeaf83f9a22aa96d0ull},
    {"Colourful Cups", 0x0d8a35f482c4749dull, 0x3e915f8d4293a37bull},
    {"Evening Boats", 0xc7fc06c47affa991ull, 0x597ab1b5cd72682cull},
    {"Fire Engine", 0x8589adebb55934b2ull, 0x524b7a8da3681054ull},
    {"Geraniums", 0x6e07cec0e3ca2669ull, 0x32584457110396afull},
    {"Gerbera", 0x7d71e46e1f04331aull, 0x7eadd40494aff428ull},
    {"Green Grapes", 0xf863af9e168519d8ull, 0x875077bed1ddd31aull},
    {"Grey Wolf", 0x00bf0a1d12ce6c01ull, 0xf2cfd74ab69456a5ull},
    {"Honey Bee", 0x5eb475fbe8b1894full, 0x898810bb736942cdull},
    {"Hot-Air Balloon", 0x872d92aa66151dd1ull, 0xa997f6b82fd3921eull},
    {"Jukebox", 0x63f722067da56828ull, 0x4fa45cf8dbeb91b4ull},
    {"MonaLisa", 0xa1fa1574a6e07a78ull, 0x6d7e18d3576ecc8bull},
    {"Pizza Slice", 0x0737e3b1395d3e11ull, 0xfd44f6242d69bb2dull},
    {"Red Tractor", 0xf73e9ba2c9cbaa6dull, 0x82f83a61ce935e20ull},
    {"Rubber Ducks", 0x2373434a5c0a7294ull, 0x9dd9614e91fe4e27ull},
    {"Safe Landing", 0x46e8041c29d61369ull, 0x4207089d0a0eccdfull},
    {"Stegosaurus", 0xf4d49e98a76fc010ull, 0xeb49cb3db241c81cull},
    {"Suspension Bridge", 0xba93f17725f9006bull, 0xf36fe6c00565a569ull},
    {"Tiger", 0xd9de0e6cdb35b034ull, 0x34caf105948ee1bcull},
};

TEST(BundledBoardPixels, EveryPatternDrawsTheSamePixelsWholeAndZoomedIn) {
    const std::filesystem::path library = std::filesystem::path(VELLUMAR_SOURCE_ROOT) / "resources/patterns";
    int checked = 0;
    for (const BoardHash& expected : kHashes) {
        const auto file = library / (std::string(expected.pattern) + ".mza");
        EXPECT_EQ(boardHash(file, 720, 882, 1.0f), expected.whole) << expected.pattern;
        EXPECT_EQ(boardHash(file, 1440, 1764, 3.375f), expected.zoomed) << expected.pattern;
        ++checked;
    }
    int bundled = 0;
    for (const auto& entry : std::filesystem::directory_iterator(library)) {
        bundled += entry.path().extension() == ".mza" ? 1 : 0;
    }
    EXPECT_EQ(checked, bundled) << "a bundled pattern has no hash in the table";
}

}  // namespace
