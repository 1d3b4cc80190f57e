#include "platform/pixels/bmp_decoder.h"

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
    const std::optional<BmpLayout> bmp = bmpLayoutOf(file);
    if (!bmp || bmp->width <= 0 || bmp->height <= 0 || bmp->width * bmp->height > maxPixels) {
        return false;
    }
    if (bmp->bits != 1 && bmp->bits != 4 && bmp->bits != 8 && bmp->bits != 16 && bmp->bits != 24 &&
        bmp->bits != 32) {
        return false;
    }
    if (bmp->compression != BI_RGB && bmp->compression != BI_BITFIELDS) {
        return false;
    }
    return bmp->pixelsAt >= 14 + bmp->infoSize && bmp->pixelsAt + bmp->pixelBytes() <= file.size();
}

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

}  // namespace

std::optional<BmpLayout> bmpLayoutOf(std::span<const std::byte> file) {
    constexpr std::size_t fileHeader = 14;
    if (file.size() < fileHeader + 12 || file[0] != std::byte{'B'} || file[1] != std::byte{'M'}) {
        return std::nullopt;
    }
    BmpLayout bmp;
    bmp.pixelsAt = read32(file, 10);
    bmp.infoSize = read32(file, fileHeader);
    if (bmp.infoSize == 12) {
        bmp.width = static_cast<std::int16_t>(read16(file, 18));
        bmp.height = static_cast<std::int16_t>(read16(file, 20));
        bmp.bits = read16(file, 24);
    } else if (bmp.infoSize >= 40 && file.size() >= fileHeader + 40) {
        bmp.width = static_cast<std::int32_t>(read32(file, 18));
        bmp.height = static_cast<std::int32_t>(read32(file, 22));
        bmp.bits = read16(file, 28);
        bmp.compression = read32(file, 30);
    } else {
        return std::nullopt;
    }
    bmp.height = bmp.height < 0 ? -bmp.height : bmp.height;
    return bmp;
}

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
