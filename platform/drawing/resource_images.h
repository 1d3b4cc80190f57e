// Pictures among a module's resources: bitmaps, with the larger variants the
// resource script brings along, and the program's icon in its sizes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/base/handles.h"
#include "platform/pixels/surface.h"

// Bitmap resource `id` as one bitmap holding its 1x picture and whatever
// 2x, 3x and 4x variants the module carries; it reports its 1x size. nullptr
// when there is no such resource or its 1x picture cannot be read. A variant
// that cannot be read, or whose size is not the scale's multiple, is left out.
// The resource is decoded once and kept for the program's life: every call
// answers the same handle onto the kept pixels. Draw from it, never into it;
// DeleteObject on it does nothing, so callers may delete it as usual.
HBITMAP LoadBitmap(HINSTANCE module, int id);

namespace platform {

// An icon picture: colours, and a coverage for each pixel (0 transparent ...
// 255 opaque), row by row like the surface's pixels.
struct IconImage {
    Surface pixels;
    std::vector<std::uint8_t> alpha;
};

// The sizes (in pixels, square) icon `id` is drawn at, smallest first.
std::vector<int> iconSizes(HINSTANCE module, int id);

// Icon `id` at `size` x `size` pixels: its picture of that size, or else the
// smallest larger one (the largest when none is larger) scaled to it. Icons
// are PNG (with transparency) or BMP (opaque) files. nullopt when there is no
// such icon, none can be read, or size is not positive.
std::optional<IconImage> loadIcon(HINSTANCE module, int id, int size);

}  // namespace platform
