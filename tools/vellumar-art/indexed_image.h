// Turns a picture into at most 256 colours for an 8-bit bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/pixels/surface.h"

namespace art {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::vector<platform::Pixel> palette;
};

// A picture of 256 colours or fewer keeps every colour exactly. Otherwise the
// colours that cover at least 1% of the picture (its flat areas) are kept
// exactly, and the rest (the blends along edges) share the remaining entries
// by median cut; each pixel then takes its nearest entry. Deterministic.
IndexedImage toIndexed(const platform::Surface& picture);

// The 8-bit BMP file of a picture, through toIndexed.
std::vector<std::byte> encodeIndexedBmp(const platform::Surface& picture);

}  // namespace art
