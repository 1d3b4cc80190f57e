#include "tools/vellumar-pattern/bmp_writer.h"

#include <cstdint>
#include <fstream>

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
// 2835 pixels a metre is 72 dots per inch; readers ignore it, but 0 upsets some viewers.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void put16(std::vector<std::byte>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::byte>(value & 0xFF);
    out[at + 1] = static_cast<std::byte>((value >> 8) & 0xFF);
}
void put32(std::vector<std::byte>& out, std::size_t at, std::uint32_t value) {
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

}  // namespace

std::vector<std::byte> encodeBmp24(const platform::Surface& surface) {
    if (surface.empty()) {
        return {};
    }
    const auto width = static_cast<std::size_t>(surface.width());
    const auto height = static_cast<std::size_t>(surface.height());
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    const std::size_t pixelsAt = kFileHeaderBytes + kInfoHeaderBytes;
    std::vector<std::byte> out(pixelsAt + stride * height);  // zeros: the padding stays 0

    out[0] = std::byte{'B'};
    out[1] = std::byte{'M'};
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, static_cast<std::uint32_t>(pixelsAt));
    put32(out, 14, kInfoHeaderBytes);
    put32(out, 18, static_cast<std::uint32_t>(width));
    put32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom-up
    put16(out, 26, 1);                                   // planes
    put16(out, 28, 24);                                  // bits a pixel
    put32(out, 30, 0);                                   // BI_RGB
    put32(out, 34, static_cast<std::uint32_t>(stride * height));
    put32(out, 38, kPixelsPerMetre);
    put32(out, 42, kPixelsPerMetre);

    for (std::size_t y = 0; y < height; ++y) {
        const platform::Pixel* row = surface.row(static_cast<int>(height - 1 - y));
        std::size_t at = pixelsAt + y * stride;
        for (std::size_t x = 0; x < width; ++x) {
            const platform::Pixel p = row[x];
            out[at++] = static_cast<std::byte>(p & 0xFF);          // blue
            out[at++] = static_cast<std::byte>((p >> 8) & 0xFF);   // green
            out[at++] = static_cast<std::byte>((p >> 16) & 0xFF);  // red
        }
    }
    return out;
}

bool writeBmp24(const platform::Surface& surface, const std::string& path) {
    const std::vector<std::byte> bytes = encodeBmp24(surface);
    if (bytes.empty()) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
