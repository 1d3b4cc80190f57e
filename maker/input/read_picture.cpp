#include "maker/input/read_picture.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "maker/input/raster_picture.h"
#include "maker/input/svg_picture.h"
#include "platform/system/regular_file.h"

namespace {

constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;

// Reads a picture file through the platform's reader, which opens only regular
// files and never blocks; the file's kind is looked at first only to say, in
// words that follow its name, why it cannot be read.
bool readPictureFile(const std::string& path, std::vector<std::byte>& bytes, std::string& error) {
    const std::string tooLarge =
        "is larger than " + std::to_string(kMaxPictureFileBytes >> 20) + " MiB, more than a picture needs";
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(path, failure);
    if (failure) {
        error = "cannot be opened: " + failure.message();
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error =
            std::filesystem::is_directory(status) ? "is a folder, not a picture" : "is not a regular file";
        return false;
    }
    errno = 0;
    std::optional<std::vector<std::byte>> read = platform::readRegularFile(path, kMaxPictureFileBytes + 1);
    if (!read) {
        error = std::string("cannot be read: ") + std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    if (read->size() > kMaxPictureFileBytes) {
        error = "is larger than " + std::to_string(kMaxPictureFileBytes >> 20) +
                " MiB, more than a picture needs";
        return false;
    }
    bytes = std::move(*read);
    return true;
}

// XML after an optional byte-order mark and white space.
bool looksLikeXml(std::span<const std::byte> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && text[start] == '<';
}

PictureReadResult readSvgPicture(std::span<const std::byte> bytes, int maxLongSide,
                                 const SvgFraming& framing) {
    PictureReadResult result;
    const std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::optional<svg::Picture> vector = svg::readSvg(text, result.error);
    if (!vector) {
        return result;
    }
    result.notes = std::move(vector->warnings);
    if (framing.view) {
        const auto [x, y, width, height] = *framing.view;
        vector->x = x;
        vector->y = y;
        vector->width = width;
        vector->height = height;
    }
    result.picture =
        drawFlat(*vector, maxLongSide > 0 ? maxLongSide : kDefaultSvgLongSide, framing.background);
    return result;
}

bool hasOneColour(const Picture& picture) {
    return std::ranges::all_of(picture.pixels, [&](std::uint32_t p) { return p == picture.pixels.front(); });
}

}  // namespace

PictureReadResult readPictureFromMemory(std::span<const std::byte> bytes, int maxLongSide,
                                        const SvgFraming& framing) {
    PictureReadResult result;
    const RasterFormat format = rasterFormatOf(bytes);
    if (bytes.size() > kMaxPictureFileBytes) {
        result.error = "is larger than a picture file may be";
    } else if (format != RasterFormat::Unknown) {
        result = readRasterPicture(bytes, format, maxLongSide > 0 ? maxLongSide : kDefaultRasterLongSide);
    } else if (looksLikeXml(bytes)) {
        result = readSvgPicture(bytes, maxLongSide, framing);
    } else {
        result.error = bytes.empty() ? "is empty" : "is not a PNG, JPEG, BMP, GIF or SVG picture";
    }
    if (result.picture && hasOneColour(*result.picture)) {
        result.picture.reset();
        result.error = "has a single colour: there is nothing to cut into pieces";
    }
    return result;
}

PictureReadResult readPicture(const std::string& path, int maxLongSide, const SvgFraming& framing) {
    std::vector<std::byte> bytes;
    PictureReadResult result;
    if (!readPictureFile(path, bytes, result.error)) {
        return result;
    }
    return readPictureFromMemory(bytes, maxLongSide, framing);
}
