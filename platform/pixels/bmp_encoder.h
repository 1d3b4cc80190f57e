// Writes Windows BMP files: 24-bit, or 8-bit with a palette. The resource
// art generator writes the game's bitmaps with these; decodeBmp reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/pixels/surface.h"

namespace platform {

// A bottom-up 24-bit file; empty for an empty surface.
std::vector<std::byte> encodeBmp24(const Surface& surface);

// A bottom-up 8-bit file whose pixel i (row by row from the top) is
// palette[indices[i]]. Empty when the sizes disagree, the palette holds more
// than 256 colours, or an index lies outside it.
std::vector<std::byte> encodeBmp8(int width, int height, std::span<const std::uint8_t> indices,
                                  std::span<const Pixel> palette);

}  // namespace platform
