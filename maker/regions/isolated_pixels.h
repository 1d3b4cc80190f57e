// Pixels whose colour none of their four neighbours shares are regions of
// one pixel, too small for any disc wider than a pixel: each takes, in
// raster order (the order the merging would take them in too), the colour of
// the neighbour nearest its own. Done on the colour map, before any region
// exists, it keeps speckled and dithered pictures from making hundreds of
// thousands of regions.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/regions/lab_image.h"

// The widest disc a region of one pixel holds.
constexpr double kOnePixelsRadius = 0.5;

void absorbIsolatedPixels(std::vector<std::uint8_t>& colourOf, const LabImage& image,
                          const std::vector<LabPixel>& palette);
