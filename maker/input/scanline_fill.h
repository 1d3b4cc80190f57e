// Fills closed polygons into a raster without anti-aliasing: a pixel takes
// the colour when its centre lies inside by the fill rule (nonzero or
// even-odd), the polygons of one shape counted together so that one
// subpath can cut a hole into another.
#pragma once

#include <cstdint>
#include <vector>

#include "pattern/bezier.h"

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row
};

// Each polygon closes itself; coordinates in pixels, (0, 0) the top-left
// corner of the first pixel, so its centre is (0.5, 0.5).
void fillPolygons(Raster& raster, const std::vector<std::vector<PointD>>& polygons, bool evenOdd,
                  std::uint32_t colour);
