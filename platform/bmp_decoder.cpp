#include "platform/bmp_decoder.h"

#include <stb_image.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::int64_t maxPixels = std::int64_t{1} << 26;

std::uint32_t read16(std::span<const std::byte> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8);
}
std::uint32_t read32(std::span<const std::byte> b, std::size_t at) {
    return read16(b, at) | (read16(b, at + 2) << 16);
}

// The decoder reads zeros past the end of its input rather than failing, so
// the header is checked against the file's length first: a cut file must not
// load as a picture with a black bottom.
bool headerFits(std::span<const std::byte> file) {
    constexpr std::size_t fileHeader = 14;
    if (file.size() < fileHeader + 12 || file[0] != std::byte{'B'} || file[1] != std::byte{'M'}) {
        return false;
    }
    const std::uint64_t pixelsAt = read32(file, 10);
    const std::uint32_t infoSize = read32(file, fileHeader);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = BI_RGB;
    if (infoSize == 12) {
        width = static_cast<std::int16_t>(read16(file, 18));
        height = static_cast<std::int16_t>(read16(file, 20));
        bits = read16(file, 24);
    } else if (infoSize >= 40 && file.size() >= fileHeader + 40) {
        width = static_cast<std::int32_t>(read32(file, 18));
        height = static_cast<std::int32_t>(read32(file, 22));
        bits = read16(file, 28);
        compression = read32(file, 30);
    } else {
        return false;
    }
    if (height < 0) {
        height = -height;
    }
    if (width <= 0 || height <= 0 || width * height > maxPixels) {
        return false;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return false;
    }
    if (compression != BI_RGB && compression != BI_BITFIELDS) {
        return false;
    }
    const std::uint64_t stride = static_cast<std::uint64_t>((width * bits + 31) / 32) * 4;
    return pixelsAt >= fileHeader + infoSize &&
           pixelsAt + stride * static_cast<std::uint64_t>(height) <= file.size();
}

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

}  // namespace

std::optional<Surface> decodeBmp(std::span<const std::byte> file) {
    if (file.size() > static_cast<std::size_t>(INT_MAX) || !headerFits(file)) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<unsigned char, StbFree> rgb(
        stbi_load_from_memory(reinterpret_cast<const unsigned char*>(file.data()),
                              static_cast<int>(file.size()), &width, &height, &channels, 3));
    if (!rgb || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    Surface surface(width, height);
    const unsigned char* p = rgb.get();
    for (Pixel& pixel : surface.pixels()) {
        pixel = (Pixel{p[0]} << 16) | (Pixel{p[1]} << 8) | Pixel{p[2]};
        p += 3;
    }
    return surface;
}

}  // namespace platform
