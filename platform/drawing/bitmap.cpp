#include "platform/drawing/bitmap.h"

#include "platform/pixels/bmp_decoder.h"
#include "platform/system/files.h"
#include "platform/system/regular_file.h"

namespace platform {

namespace {
constexpr std::int64_t maxPixels = std::int64_t{1} << 28;
}  // namespace

HBITMAP createBitmap(Surface surface) {
    detail::countCreated();
    return new BitmapObject{std::move(surface), {}, nullptr, false};
}

HBITMAP loadBitmap(std::span<const std::byte> bmpFile) {
    auto surface = decodeBmp(bmpFile);
    return surface ? createBitmap(std::move(*surface)) : nullptr;
}

bool addBitmapVariant(HBITMAP bitmap, int scale, Surface surface) {
    if (bitmap == nullptr || bitmap->stock || scale < 2 || scale > 4 ||
        surface.width() != bitmap->surface.width() * scale ||
        surface.height() != bitmap->surface.height() * scale) {
        return false;
    }
    bitmap->variants[static_cast<std::size_t>(scale - 2)] = std::move(surface);
    return true;
}

const Surface& chooseVariant(const BitmapObject& bitmap, std::int64_t sourceWidth, std::int64_t sourceHeight,
                             std::int64_t width, std::int64_t height, int& scale) {
    const Surface* chosen = &bitmap.surface;
    scale = 1;
    if (sourceWidth >= width && sourceHeight >= height) {
        return *chosen;
    }
    for (int k = 2; k <= 4; ++k) {
        const Surface& variant = bitmap.variants[static_cast<std::size_t>(k - 2)];
        if (variant.empty()) {
            continue;
        }
        chosen = &variant;
        scale = k;
        if (sourceWidth * k >= width && sourceHeight * k >= height) {
            break;
        }
    }
    return *chosen;
}

Surface& bitmapSurface(HBITMAP bitmap) {
    return bitmap->surface;
}

HBITMAP defaultBitmap() {
    // Made on first use, as nothing of the platform is built before `main`.
    static BitmapObject stockBitmap{Surface(1, 1), {}, nullptr, true};
    return &stockBitmap;
}

HBITMAP createFilledBitmap(int width, int height, Pixel fill) {
    if (width < 0 || height < 0 || std::int64_t{width} * height > maxPixels) {
        return nullptr;
    }
    return createBitmap(Surface(width, height, fill));
}

}  // namespace platform

int GetObject(HBITMAP bitmap, int size, BITMAP* out) {
    if (bitmap == nullptr || out == nullptr || size < static_cast<int>(sizeof(BITMAP))) {
        return 0;
    }
    const platform::Surface& s = bitmap->surface;
    *out = BITMAP{0, s.width(), s.height(), s.width() * 4, 1, 32};
    return static_cast<int>(sizeof(BITMAP));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    return platform::createFilledBitmap(width, height, 0);
}

HBITMAP SHLoadDIBitmap(const WCHAR* path) {
    if (path == nullptr) {
        return nullptr;
    }
    // A longer file reads cut and is refused by the decoder.
    const auto bytes = platform::readFileBytes(path, platform::kLargestThumbnailFile);
    return bytes ? platform::loadBitmap(*bytes) : nullptr;
}

BOOL DeleteObject(HBITMAP bitmap) {
    return platform::detail::deleteDrawingObject(bitmap,
                                                 [](const auto& o) { return o.selectedInto != nullptr; });
}
