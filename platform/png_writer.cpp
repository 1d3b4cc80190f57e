#include "platform/png_writer.h"

#include <stb_image_write.h>

#include <vector>

namespace platform {

bool writePng(const Surface& surface, const std::string& path) {
    if (surface.empty()) {
        return false;
    }
    std::vector<unsigned char> rgb;
    rgb.reserve(surface.pixels().size() * 3);
    for (const Pixel p : surface.pixels()) {
        rgb.push_back(static_cast<unsigned char>(p >> 16));
        rgb.push_back(static_cast<unsigned char>(p >> 8));
        rgb.push_back(static_cast<unsigned char>(p));
    }
    return stbi_write_png(path.c_str(), surface.width(), surface.height(), 3, rgb.data(),
                          surface.width() * 3) != 0;
}

}  // namespace platform
