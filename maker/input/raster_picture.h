// PNG, JPEG, BMP and GIF bytes into a Picture: the header is checked before
// anything is decoded, transparency is laid over white and the picture is
// scaled down (area average) to its long side.
#pragma once

#include <cstddef>
#include <span>

#include "maker/input/picture_read_result.h"
#include "maker/input/raster_format.h"

// No decoder is asked for more pixels than this: 400 MB of RGBA.
inline constexpr long long kMaxPicturePixels = 100'000'000;

PictureReadResult readRasterPicture(std::span<const std::byte> bytes, RasterFormat format, int maxLongSide);
