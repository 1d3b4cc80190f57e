// Where a picture of W x H pixels lies in pattern units: centred on (0, 0),
// its longer side 16000 units, y growing downwards.
#pragma once

#include "pattern/bezier.h"

struct PictureFrame {
    int width = 0;
    int height = 0;
    double minX = 0, minY = 0;
    double unitsPerPixelX = 0, unitsPerPixelY = 0;

    PointD toPattern(PointD pixel) const {
        return {minX + pixel.x * unitsPerPixelX, minY + pixel.y * unitsPerPixelY};
    }
    PointD toPixel(PointD units) const {
        return {(units.x - minX) / unitsPerPixelX, (units.y - minY) / unitsPerPixelY};
    }
};

PictureFrame frameOf(int width, int height);
