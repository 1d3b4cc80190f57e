// Block copies between surfaces: one for one, and stretched by sampling the
// nearest source pixel. Destination coordinates are canvas coordinates;
// source coordinates are the source surface's own. Pixels whose source lies
// outside the source surface are left as they were.
#pragma once

#include <cstdint>

#include "platform/pixels/rasterizer.h"
#include "platform/pixels/surface.h"

namespace platform {

// Copies the width x height block at (sourceX, sourceY) to (x, y). Source and
// destination may be the same surface and may overlap.
void copyBlock(const Canvas& dest, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
               const Surface& source, std::int64_t sourceX, std::int64_t sourceY);

// Fills the destination block with the source block scaled to fit. Destination
// pixel (x + i, y + j) takes source pixel
//   (sourceX + floor((2i + 1) * sourceWidth / (2 * width)),
//    sourceY + floor((2j + 1) * sourceHeight / (2 * height))),
// the source pixel under the centre of the destination pixel. Sizes that are
// not positive draw nothing. The blocks must not overlap.
void stretchBlock(const Canvas& dest, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                  const Surface& source, std::int64_t sourceX, std::int64_t sourceY, std::int64_t sourceWidth,
                  std::int64_t sourceHeight);

}  // namespace platform
