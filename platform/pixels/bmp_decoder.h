// Reads Windows BMP files: the format of the thumbnails beside the patterns
// and of the bitmap resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/pixels/surface.h"

namespace platform {

// What a BMP file's headers say about its pixels: their size, depth and
// compression, and where they start. Heights are given positive whether the
// rows run bottom-up or top-down.
struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = 0;  // 0 none, 3 bit fields; others are compressed
    std::uint32_t infoSize = 0;
    std::uint64_t pixelsAt = 0;

    // The bytes of uncompressed rows, each padded to 4 bytes.
    std::uint64_t pixelBytes() const {
        return (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4 * static_cast<std::uint64_t>(height);
    }
};

// Nothing for a file too short for its headers or not a BMP file at all.
std::optional<BmpLayout> bmpLayoutOf(std::span<const std::byte> file);

// Uncompressed BMP files of 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up
// or top-down. Anything else, and any file shorter than its header says,
// gives no surface.
std::optional<Surface> decodeBmp(std::span<const std::byte> file);

}  // namespace platform
