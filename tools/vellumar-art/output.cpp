#include "tools/vellumar-art/output.h"

#include <stb_image_write.h>

#include <fstream>

#include "platform/pixels/bmp_encoder.h"
#include "tools/vellumar-art/indexed_image.h"

namespace art {

std::string bitmapFileName(int id, int scale) {
    return std::to_string(id) + (scale == 1 ? "" : "@" + std::to_string(scale) + "x") + ".bmp";
}

std::vector<std::byte> bitmapFile(const Artwork& art, int scale) {
    const Surface picture = drawArtwork(art, scale);
    return art.bitsPerPixel == 24 ? platform::encodeBmp24(picture) : encodeIndexedBmp(picture);
}

std::string iconFileName(int size) {
    return std::to_string(kIconId) + "-" + std::to_string(size) + ".png";
}

std::vector<std::byte> iconFile(int size) {
    const Coverage picture = drawIcon(size);
    std::vector<unsigned char> rgba;
    rgba.reserve(picture.alpha.size() * 4);
    for (std::size_t i = 0; i < picture.alpha.size(); ++i) {
        const Pixel p = picture.pixels.pixels()[i];
        rgba.push_back(static_cast<unsigned char>(p >> 16));
        rgba.push_back(static_cast<unsigned char>(p >> 8));
        rgba.push_back(static_cast<unsigned char>(p));
        rgba.push_back(picture.alpha[i]);
    }
    std::vector<std::byte> png;
    const auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<std::byte>*>(context);
        const auto* bytes = static_cast<const std::byte*>(data);
        out->insert(out->end(), bytes, bytes + size);
    };
    stbi_write_png_to_func(append, &png, size, size, 4, rgba.data(), size * 4);
    return png;
}

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<std::byte>& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (bytes.empty() || !out) {
        error = path.string() + " could not be written";
        return false;
    }
    return true;
}

}  // namespace

bool writeAll(const std::filesystem::path& bitmaps, const std::filesystem::path& icons, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(bitmaps, ec);
    std::filesystem::create_directories(icons, ec);
    for (const Artwork& art : catalogue()) {
        for (const int scale : kScales) {
            if (!writeFile(bitmaps / bitmapFileName(art.id, scale), bitmapFile(art, scale), error)) {
                return false;
            }
        }
    }
    for (const int size : kIconSizes) {
        if (!writeFile(icons / iconFileName(size), iconFile(size), error)) {
            return false;
        }
    }
    return true;
}

}  // namespace art
