// Reads Windows BMP files: the format of the thumbnails beside the patterns
// and of the bitmap resources.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "platform/surface.h"

namespace platform {

// Uncompressed BMP files of 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up
// or top-down. Anything else, and any file shorter than its header says,
// gives no surface.
std::optional<Surface> decodeBmp(std::span<const std::byte> file);

}  // namespace platform
