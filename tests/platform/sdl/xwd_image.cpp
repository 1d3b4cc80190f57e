#include "tests/platform/sdl/xwd_image.h"

#include <bit>

namespace testing_support {

namespace {

// The header: 25 big-endian 32-bit fields, then the window's name.
enum Field {
    kHeaderSize = 0,
    kFileVersion = 1,
    kPixmapFormat = 2,
    kPixmapWidth = 4,
    kPixmapHeight = 5,
    kByteOrder = 7,
    kBitsPerPixel = 11,
    kBytesPerLine = 12,
    kVisualClass = 13,
    kRedMask = 14,
    kGreenMask = 15,
    kBlueMask = 16,
    kColourCount = 19,
    kFieldCount = 25,
};
constexpr std::uint32_t kZPixmap = 2;
constexpr std::uint32_t kTrueColour = 4;
// Xvfb's 24-bit visual: its default colour map is the identity, so it reads as true colour.
constexpr std::uint32_t kDirectColour = 5;
constexpr std::size_t kColourEntrySize = 12;

std::uint32_t bigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::uint32_t channel(std::uint32_t pixel, std::uint32_t mask) {
    return mask == 0 ? 0 : (pixel & mask) >> std::countr_zero(mask);
}

}  // namespace

std::optional<XwdImage> XwdImage::parse(std::string_view bytes, std::string* why) {
    if (bytes.size() < kFieldCount * 4) {
        *why = "shorter than its header";
        return std::nullopt;
    }
    std::uint32_t field[kFieldCount];
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        field[i] = bigEndian(bytes, i * 4);
    }
    if (field[kFileVersion] != 7 || field[kPixmapFormat] != kZPixmap || field[kBitsPerPixel] != 32 ||
        (field[kVisualClass] != kTrueColour && field[kVisualClass] != kDirectColour)) {
        *why = "not a 32-bit true-colour dump";
        return std::nullopt;
    }
    XwdImage image;
    image.width_ = static_cast<int>(field[kPixmapWidth]);
    image.height_ = static_cast<int>(field[kPixmapHeight]);
    const std::size_t start = field[kHeaderSize] + std::size_t{field[kColourCount]} * kColourEntrySize;
    const std::size_t stride = field[kBytesPerLine];
    if (stride < std::size_t{field[kPixmapWidth]} * 4 ||
        start + stride * field[kPixmapHeight] > bytes.size()) {
        *why = "its pixels run past its end";
        return std::nullopt;
    }
    const bool mostSignificantFirst = field[kByteOrder] == 1;
    image.pixels_.reserve(static_cast<std::size_t>(image.width_) * static_cast<std::size_t>(image.height_));
    for (int y = 0; y < image.height_; ++y) {
        for (int x = 0; x < image.width_; ++x) {
            const std::size_t at =
                start + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4;
            std::uint32_t pixel = bigEndian(bytes, at);
            if (!mostSignificantFirst) {
                pixel = __builtin_bswap32(pixel);
            }
            image.pixels_.push_back((channel(pixel, field[kRedMask]) << 16) |
                                    (channel(pixel, field[kGreenMask]) << 8) |
                                    channel(pixel, field[kBlueMask]));
        }
    }
    return image;
}

std::uint32_t XwdImage::at(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

}  // namespace testing_support
