#include "maker/input/raster_format.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/pixels/bmp_decoder.h"

namespace {

using Bytes = std::span<const std::byte>;

bool startsWith(Bytes bytes, std::string_view magic) {
    if (bytes.size() < magic.size()) {
        return false;
    }
    for (std::size_t i = 0; i < magic.size(); ++i) {
        if (bytes[i] != static_cast<std::byte>(magic[i])) {
            return false;
        }
    }
    return true;
}

std::uint32_t byteAt(Bytes b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]);
}
std::uint32_t bigEndian32(Bytes b, std::size_t at) {
    return (byteAt(b, at) << 24) | (byteAt(b, at + 1) << 16) | (byteAt(b, at + 2) << 8) | byteAt(b, at + 3);
}

// Chunks (length, type, data, CRC) from the signature to IEND.
bool pngIsWhole(Bytes b) {
    std::uint64_t at = 8;
    while (at + 8 <= b.size()) {
        const std::uint64_t length = bigEndian32(b, at);
        const bool end = startsWith(b.subspan(at + 4), "IEND");
        at += 12 + length;
        if (end) {
            return at <= b.size();
        }
    }
    return false;
}

// Entropy-coded data never holds 0xFF 0xD9 (a 0xFF there is followed by 0 or
// a restart marker), so the end-of-image marker after the first scan's start
// means the scans are all there.
bool jpegIsWhole(Bytes b) {
    std::size_t at = 2;
    while (at + 1 < b.size() && !(b[at] == std::byte{0xFF} && b[at + 1] == std::byte{0xDA})) {
        ++at;
    }
    for (at += 2; at + 1 < b.size(); ++at) {
        if (b[at] == std::byte{0xFF} && b[at + 1] == std::byte{0xD9}) {
            return true;
        }
    }
    return false;
}

// Uncompressed rows from the pixel offset; compressed files, and headers the
// decoder refuses anyway, are left to it.
bool bmpIsWhole(Bytes b) {
    const std::optional<platform::BmpLayout> bmp = platform::bmpLayoutOf(b);
    if (!bmp) {
        return false;
    }
    if ((bmp->compression != 0 && bmp->compression != 3) || bmp->width <= 0 ||
        bmp->width * bmp->height > (std::int64_t{1} << 32)) {
        return true;
    }
    return bmp->pixelsAt + bmp->pixelBytes() <= b.size();
}

// Data sub-blocks (a length byte, then that many bytes) up to the empty one;
// the offset past them, or past the end when the file stops first.
std::uint64_t pastSubBlocks(Bytes b, std::uint64_t at) {
    while (at < b.size() && b[at] != std::byte{0}) {
        at += 1 + byteAt(b, at);
    }
    return at + 1;
}

std::uint64_t colourTableBytes(std::uint32_t flags) {
    return (flags & 0x80) ? 3u << ((flags & 7) + 1) : 0;
}

// Blocks from the screen descriptor to the end of the first image's data.
bool gifIsWhole(Bytes b) {
    if (b.size() < 13) {
        return false;
    }
    std::uint64_t at = 13 + colourTableBytes(byteAt(b, 10));
    while (at < b.size()) {
        const std::uint32_t block = byteAt(b, at);
        if (block == 0x21) {  // an extension: label, then sub-blocks
            at = pastSubBlocks(b, at + 2);
        } else if (block == 0x2C) {  // an image: descriptor, colours, code size, data
            if (at + 10 > b.size()) {
                return false;
            }
            at += 10 + colourTableBytes(byteAt(b, at + 9));
            return pastSubBlocks(b, at + 1) <= b.size();
        } else {
            return true;  // the trailer or a damaged block: the decoder says which
        }
    }
    return false;
}

}  // namespace

RasterFormat rasterFormatOf(Bytes bytes) {
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n")) {
        return RasterFormat::Png;
    }
    if (startsWith(bytes, "\xFF\xD8\xFF")) {
        return RasterFormat::Jpeg;
    }
    if (startsWith(bytes, "BM")) {
        return RasterFormat::Bmp;
    }
    if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a")) {
        return RasterFormat::Gif;
    }
    return RasterFormat::Unknown;
}

const char* formatName(RasterFormat format) {
    switch (format) {
        case RasterFormat::Png:
            return "PNG";
        case RasterFormat::Jpeg:
            return "JPEG";
        case RasterFormat::Bmp:
            return "BMP";
        case RasterFormat::Gif:
            return "GIF";
        case RasterFormat::Unknown:
            break;
    }
    return "unknown";
}

bool holdsWholePicture(Bytes bytes, RasterFormat format) {
    switch (format) {
        case RasterFormat::Png:
            return pngIsWhole(bytes);
        case RasterFormat::Jpeg:
            return jpegIsWhole(bytes);
        case RasterFormat::Bmp:
            return bmpIsWhole(bytes);
        case RasterFormat::Gif:
            return gifIsWhole(bytes);
        case RasterFormat::Unknown:
            break;
    }
    return false;
}
