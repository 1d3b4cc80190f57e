// What of each piece the player sees, measured on a raster of the loaded
// pattern as the game draws it (outer contours filled, later pieces over
// earlier ones): its visible area, and the point of that area farthest from
// every edge, where its number goes.
#pragma once

#include <vector>

#include "maker/outline/distance_transform.h"
#include "pattern/pattern.h"
#include "tools/vellumar-pattern/compile/canvas_grid.h"
#include "tools/vellumar-pattern/playability.h"

struct PieceMeasure {
    long cells = 0;           // visible cells
    double clearance = 0;     // pattern units from the label to the nearest other piece or the picture's edge
    PointD label;             // a cell centre within the label limits; meaningful when clearance > 0
    bool labelPlace = false;  // some visible cell lies within the label limits
};

std::vector<PieceMeasure> measurePieces(const Pattern& pattern, const CanvasGrid& grid,
                                        const LabelLimits& limits);
