#include "tests/platform/sdl/xwd_image.h"

namespace testing_support {

namespace {

std::uint32_t bigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

}  // namespace

// The header is 25 big-endian 32-bit fields, then the window's name and the
// colour map (12 bytes an entry). Xvfb's 24-bit visual is direct colour with
// the identity colour map and 0xRRGGBB masks, the only layout taken here.
std::optional<XwdImage> XwdImage::parse(std::string_view bytes, std::string* why) {
    constexpr std::size_t kFields = 25;
    std::uint32_t field[kFields] = {};
    for (std::size_t i = 0; i < kFields && bytes.size() >= kFields * 4; ++i) {
        field[i] = bigEndian(bytes, i * 4);
    }
    // Version 7, Z pixmap, 32 bits a pixel, true or direct colour, red, green and blue masks.
    if (field[1] != 7 || field[2] != 2 || field[11] != 32 || (field[13] != 4 && field[13] != 5) ||
        field[14] != 0xFF0000 || field[15] != 0xFF00 || field[16] != 0xFF) {
        *why = "not a 32-bit 0xRRGGBB dump";
        return std::nullopt;
    }
    XwdImage image;
    image.width_ = static_cast<int>(field[4]);
    image.height_ = static_cast<int>(field[5]);
    const std::size_t start = field[0] + std::size_t{field[19]} * 12;
    const std::size_t stride = field[12];
    if (stride < std::size_t{field[4]} * 4 || start + stride * field[5] > bytes.size()) {
        *why = "its pixels run past its end";
        return std::nullopt;
    }
    for (std::size_t y = 0; y < field[5]; ++y) {
        for (std::size_t x = 0; x < field[4]; ++x) {
            const std::uint32_t pixel = bigEndian(bytes, start + y * stride + x * 4);
            image.pixels_.push_back((field[7] == 1 ? pixel : __builtin_bswap32(pixel)) & 0xFFFFFF);
        }
    }
    return image;
}

std::uint32_t XwdImage::at(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

}  // namespace testing_support
