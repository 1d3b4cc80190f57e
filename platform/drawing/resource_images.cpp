#include "platform/drawing/resource_images.h"

#include <stb_image.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>

#include "platform/drawing/bitmap.h"
#include "platform/pixels/bmp_decoder.h"
#include "platform/system/resources.h"

namespace platform {

namespace {

std::unique_ptr<BitmapObject> decodeBitmapResource(HINSTANCE module, int id) {
    std::unique_ptr<BitmapObject> bitmap;
    for (const ResourceEntry* entry : findVariants(module, "BITMAP", id)) {
        if (entry->variant == 1) {
            if (auto surface = decodeBmp(entry->data)) {
                bitmap =
                    std::make_unique<BitmapObject>(BitmapObject{std::move(*surface), {}, nullptr, false});
            }
        } else if (bitmap != nullptr) {
            if (auto surface = decodeBmp(entry->data)) {
                addBitmapVariant(bitmap.get(), entry->variant, std::move(*surface));
            }
        }
    }
    if (bitmap != nullptr) {
        bitmap->stock = true;  // shared by every caller: never deleted, selectable anywhere
    }
    return bitmap;
}

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};

bool isPng(std::span<const std::byte> data) {
    static constexpr unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (data.size() < sizeof signature) {
        return false;
    }
    for (std::size_t i = 0; i < sizeof signature; ++i) {
        if (data[i] != std::byte{signature[i]}) {
            return false;
        }
    }
    return true;
}

std::optional<IconImage> decodeIcon(std::span<const std::byte> data) {
    if (!isPng(data)) {
        auto surface = decodeBmp(data);
        if (!surface) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> opaque(surface->pixels().size(), 255);
        return IconImage{std::move(*surface), std::move(opaque)};
    }
    if (data.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<unsigned char, StbFree> rgba(
        stbi_load_from_memory(reinterpret_cast<const unsigned char*>(data.data()),
                              static_cast<int>(data.size()), &width, &height, &channels, 4));
    // Icons are small; anything larger than this is not one of ours.
    constexpr int maxSide = 1024;
    if (!rgba || width <= 0 || height <= 0 || width > maxSide || height > maxSide) {
        return std::nullopt;
    }
    IconImage image{Surface(width, height),
                    std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
    const unsigned char* p = rgba.get();
    for (std::size_t i = 0; i < image.alpha.size(); ++i, p += 4) {
        image.pixels.pixels()[i] = (Pixel{p[0]} << 16) | (Pixel{p[1]} << 8) | Pixel{p[2]};
        image.alpha[i] = p[3];
    }
    return image;
}

// Destination pixel x averages the source columns x * w / size up to
// (x + 1) * w / size (at least one), likewise the rows, with colours
// weighted by their coverage; enlarging, this takes the nearest pixel.
IconImage resized(const IconImage& source, int size) {
    const int sw = source.pixels.width();
    const int sh = source.pixels.height();
    IconImage out{Surface(size, size), std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size)};
    for (int y = 0; y < size; ++y) {
        const int y0 = std::min(sh - 1, y * sh / size);
        const int y1 = std::max(y0 + 1, (y + 1) * sh / size);
        for (int x = 0; x < size; ++x) {
            const int x0 = std::min(sw - 1, x * sw / size);
            const int x1 = std::max(x0 + 1, (x + 1) * sw / size);
            std::uint64_t r = 0, g = 0, b = 0, a = 0, n = 0;
            for (int j = y0; j < y1; ++j) {
                for (int i = x0; i < x1; ++i) {
                    const Pixel p = source.pixels.at(i, j);
                    const std::uint64_t w = source.alpha[static_cast<std::size_t>(j) * sw + i];
                    r += ((p >> 16) & 0xFF) * w;
                    g += ((p >> 8) & 0xFF) * w;
                    b += (p & 0xFF) * w;
                    a += w;
                    ++n;
                }
            }
            const std::size_t at = static_cast<std::size_t>(y) * size + x;
            out.alpha[at] = static_cast<std::uint8_t>((a + n / 2) / n);
            if (a > 0) {
                out.pixels.pixels()[at] =
                    static_cast<Pixel>(((r + a / 2) / a) << 16 | ((g + a / 2) / a) << 8 | ((b + a / 2) / a));
            }
        }
    }
    return out;
}

}  // namespace

std::vector<int> iconSizes(HINSTANCE module, int id) {
    std::vector<int> sizes;
    for (const ResourceEntry* entry : findVariants(module, "ICON", id)) {
        sizes.push_back(entry->variant);
    }
    return sizes;
}

std::optional<IconImage> loadIcon(HINSTANCE module, int id, int size) {
    if (size <= 0) {
        return std::nullopt;
    }
    const std::vector<const ResourceEntry*> variants = findVariants(module, "ICON", id);
    const auto larger =
        std::ranges::find_if(variants, [&](const ResourceEntry* e) { return e->variant >= size; });
    const ResourceEntry* chosen = larger != variants.end() ? *larger
                                  : variants.empty()       ? nullptr
                                                           : variants.back();
    if (chosen == nullptr) {
        return std::nullopt;
    }
    auto image = decodeIcon(chosen->data);
    if (!image) {
        return std::nullopt;
    }
    if (image->pixels.width() == size && image->pixels.height() == size) {
        return image;
    }
    return resized(*image, size);
}

}  // namespace platform

HBITMAP LoadBitmap(HINSTANCE module, int id) {
    // The faces are drawn many times a second, and decoding a bitmap with its
    // variants costs far more than drawing it: each is decoded once, by module
    // and resource, and kept for the program's life.
    static std::map<std::pair<HINSTANCE, int>, std::unique_ptr<platform::BitmapObject>> kept;
    const auto [entry, isNew] = kept.try_emplace({module, id});
    if (isNew) {
        entry->second = platform::decodeBitmapResource(module, id);
    }
    return entry->second.get();
}
