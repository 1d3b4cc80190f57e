#include "maker/input/raster_picture.h"

#include <stb_image.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "maker/input/area_scale.h"

namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

std::string damaged(RasterFormat format) {
    const char* why = stbi_failure_reason();
    return std::string("is a damaged or unsupported ") + formatName(format) + " file" +
           (why != nullptr ? std::string(" (") + why + ")" : std::string());
}

std::string tooLarge(long long width, long long height) {
    const std::string size = width > 0
                                 ? " (" + std::to_string(width) + " x " + std::to_string(height) + " pixels)"
                                 : std::string();
    return "is too large: more than 100 million pixels" + size;
}

// Straight (not premultiplied) alpha over white, in place.
void layOverWhite(std::uint8_t* rgba, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i, rgba += 4) {
        const unsigned alpha = rgba[3];
        if (alpha == 255) {
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            rgba[c] = static_cast<std::uint8_t>((rgba[c] * alpha + 255u * (255u - alpha) + 127u) / 255u);
        }
    }
}

std::vector<std::uint32_t> packed(const std::uint8_t* rgbx, std::size_t pixels) {
    std::vector<std::uint32_t> out(pixels);
    for (std::size_t i = 0; i < pixels; ++i, rgbx += 4) {
        out[i] = (std::uint32_t{rgbx[0]} << 16) | (std::uint32_t{rgbx[1]} << 8) | rgbx[2];
    }
    return out;
}

}  // namespace

PictureReadResult readRasterPicture(std::span<const std::byte> bytes, RasterFormat format, int maxLongSide) {
    PictureReadResult result;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        result.error = "is too large a file";
        return result;
    }
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        const char* why = stbi_failure_reason();
        result.error =
            why != nullptr && std::strcmp(why, "too large") == 0 ? tooLarge(0, 0) : damaged(format);
        return result;
    }
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPicturePixels) {
        result.error = width <= 0 || height <= 0 ? damaged(format) : tooLarge(width, height);
        return result;
    }
    if (!holdsWholePicture(bytes, format)) {
        result.error =
            std::string("is a truncated ") + formatName(format) + " file: it ends before its picture does";
        return result;
    }
    const std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_memory(data, length, &width, &height, &channels, 4));
    if (!rgba || width <= 0 || height <= 0) {
        result.error = damaged(format);
        return result;
    }
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    layOverWhite(rgba.get(), pixels);
    const Size size = fittedSize(width, height, maxLongSide);
    Picture picture;
    picture.width = size.width;
    picture.height = size.height;
    picture.pixels = size.width == width && size.height == height
                         ? packed(rgba.get(), pixels)
                         : areaAverage(rgba.get(), width, height, size);
    result.picture = std::move(picture);
    return result;
}
