// Scaling a picture down by area averaging: each new pixel is the mean of the
// old pixels it covers, each weighted by the share of it that it covers. The
// sums are exact integers, so the result is the same on every machine.
#pragma once

#include <cstdint>
#include <vector>

// The size whose long side is `maxLongSide` with the same aspect, rounded,
// at least 1 by 1; the same size when it is already no larger.
struct Size {
    int width = 0;
    int height = 0;
};
Size fittedSize(int width, int height, int maxLongSide);

// `rgbx`: 4 bytes a pixel (red, green, blue, ignored), row by row. The new
// size is at most the old one on each side. Returns 0x00RRGGBB pixels.
std::vector<std::uint32_t> areaAverage(const std::uint8_t* rgbx, int width, int height, Size to);
