#include "tools/codecs/png_writer.h"

#include <png.h>

#include <vector>

namespace codecs {

bool writePng(const platform::Surface& surface, const std::string& path) {
    if (surface.empty()) {
        return false;
    }
    std::vector<unsigned char> rgb;
    rgb.reserve(surface.pixels().size() * 3);
    for (const platform::Pixel p : surface.pixels()) {
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    // libpng rather than stb: faster, and its filters make files about half the size.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_RGB;
    const bool written =
        png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), surface.width() * 3, nullptr) != 0;
    png_image_free(&image);
    return written;
}

}  // namespace codecs
