// An SVG picture's shapes drawn in document order, each in its flat colour,
// without anti-aliasing, over white: the raster the maker cuts into pieces.
#pragma once

#include <cstdint>

#include "maker/picture.h"
#include "maker/svg/svg_document.h"

// The viewBox scaled so that its long side is `longSide` pixels, over the
// background (0x00RRGGBB).
Picture drawFlat(const svg::Picture& picture, int longSide, std::uint32_t background = 0xFFFFFF);
