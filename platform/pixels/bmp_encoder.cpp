#include "platform/pixels/bmp_encoder.h"

namespace platform {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;

void put16(std::vector<std::byte>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::byte>(v & 0xFF);
    out[at + 1] = static_cast<std::byte>((v >> 8) & 0xFF);
}
void put32(std::vector<std::byte>& out, std::size_t at, std::uint32_t v) {
    put16(out, at, v & 0xFFFF);
    put16(out, at + 2, v >> 16);
}

// The headers of a file with `paletteSize` colours and rows of `stride`
// bytes; the pixels start right after the palette.
std::vector<std::byte> headers(int width, int height, int bits, std::size_t paletteSize, std::size_t stride) {
    const std::size_t pixelsAt = kFileHeader + kInfoHeader + 4 * paletteSize;
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    std::vector<std::byte> out(pixelsAt + imageSize);
    out[0] = std::byte{'B'};
    out[1] = std::byte{'M'};
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, static_cast<std::uint32_t>(pixelsAt));
    put32(out, 14, kInfoHeader);
    put32(out, 18, static_cast<std::uint32_t>(width));
    put32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom-up
    put16(out, 26, 1);                                   // planes
    put16(out, 28, static_cast<std::uint32_t>(bits));
    put32(out, 30, 0);  // BI_RGB
    put32(out, 34, static_cast<std::uint32_t>(imageSize));
    put32(out, 38, 2835);  // 72 dots per inch, in dots per metre
    put32(out, 42, 2835);
    put32(out, 46, static_cast<std::uint32_t>(paletteSize));
    put32(out, 50, 0);
    return out;
}

std::size_t strideOf(int width, int bits) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32) * 4;
}

}  // namespace

std::vector<std::byte> encodeBmp24(const Surface& surface) {
    if (surface.empty()) {
        return {};
    }
    const std::size_t stride = strideOf(surface.width(), 24);
    std::vector<std::byte> out = headers(surface.width(), surface.height(), 24, 0, stride);
    const std::size_t pixelsAt = kFileHeader + kInfoHeader;
    for (int y = 0; y < surface.height(); ++y) {
        std::size_t at = pixelsAt + stride * static_cast<std::size_t>(surface.height() - 1 - y);
        for (int x = 0; x < surface.width(); ++x) {
            const Pixel p = surface.at(x, y);
            out[at++] = static_cast<std::byte>(p & 0xFF);
            out[at++] = static_cast<std::byte>((p >> 8) & 0xFF);
            out[at++] = static_cast<std::byte>((p >> 16) & 0xFF);
        }
    }
    return out;
}

std::vector<std::byte> encodeBmp8(int width, int height, std::span<const std::uint8_t> indices,
                                  std::span<const Pixel> palette) {
    if (width <= 0 || height <= 0 || palette.empty() || palette.size() > 256 ||
        indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return {};
    }
    for (const std::uint8_t i : indices) {
        if (i >= palette.size()) {
            return {};
        }
    }
    const std::size_t stride = strideOf(width, 8);
    std::vector<std::byte> out = headers(width, height, 8, palette.size(), stride);
    std::size_t at = kFileHeader + kInfoHeader;
    for (const Pixel p : palette) {  // blue, green, red, reserved
        out[at++] = static_cast<std::byte>(p & 0xFF);
        out[at++] = static_cast<std::byte>((p >> 8) & 0xFF);
        out[at++] = static_cast<std::byte>((p >> 16) & 0xFF);
        out[at++] = std::byte{0};
    }
    const std::size_t pixelsAt = at;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = pixelsAt + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            out[row + static_cast<std::size_t>(x)] =
                static_cast<std::byte>(indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                               static_cast<std::size_t>(x)]);
        }
    }
    return out;
}

}  // namespace platform
