// A grid of square cells over the picture in pattern units, and the
// scanline fill that tells which cell centres lie inside polygons.
#pragma once

#include <functional>
#include <vector>

#include "pattern/bezier.h"

using Polygon = std::vector<PointD>;

struct CanvasGrid {
    double left = 0, top = 0;  // pattern units of the first cell's corner
    double cell = 10;
    int columns = 0, rows = 0;

    double centreX(int column) const { return left + (column + 0.5) * cell; }
    double centreY(int row) const { return top + (row + 0.5) * cell; }
    int columnOf(double x) const;  // the column whose cells hold x, clamped to the grid
    int rowOf(double y) const;
};

// The picture of `width` x `height` pattern units, centred on (0, 0).
CanvasGrid gridOver(double width, double height, double cell);

// Calls `span(row, from, to)` for each run of cells, columns from <= c < to,
// whose centres lie inside the polygons under the fill rule: even-odd (the
// game's rule for a piece's outer contour) or nonzero.
void fillPolygons(const CanvasGrid& grid, const std::vector<const Polygon*>& polygons, bool evenOdd,
                  const std::function<void(int row, int from, int to)>& span);

// Even-odd point-in-polygon, for single points.
bool insidePolygon(const Polygon& polygon, PointD p);

double signedArea(const Polygon& polygon);

struct Box {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    void add(PointD p);
    bool overlaps(const Box& o) const {
        return minX <= o.maxX && o.minX <= maxX && minY <= o.maxY && o.minY <= maxY;
    }
};
Box boxOf(const Polygon& polygon);
