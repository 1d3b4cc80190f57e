// The pixel-exact primitives beneath the drawing calls. They work on a canvas:
// a surface, the part of it that may be drawn (the clip) and the offset added
// to every coordinate. Coordinates are 64-bit, so any LONG coordinate plus an
// offset is exact, and every loop runs over the clipped area only: a shape at
// +-1e6 costs no more than one on the surface.
//
// Pixel (x, y) is sampled at the integer point (x, y). The rules themselves
// are listed in platform/drawing.h.
#pragma once

#include <cstdint>

#include "platform/base/types.h"
#include "platform/pixels/surface.h"

namespace platform {

struct Canvas {
    Surface* surface = nullptr;
    // Drawable pixels, in surface coordinates and inside the surface:
    // clipLeft <= x < clipRight, clipTop <= y < clipBottom.
    int clipLeft = 0;
    int clipTop = 0;
    int clipRight = 0;
    int clipBottom = 0;
    // Added to every coordinate given to the primitives.
    std::int64_t originX = 0;
    std::int64_t originY = 0;

    bool empty() const { return surface == nullptr || clipLeft >= clipRight || clipTop >= clipBottom; }
};

// The whole of `surface`, no offset.
Canvas wholeSurface(Surface& surface);

// Narrows the clip to the rectangle given in canvas coordinates.
Canvas clippedTo(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom);

// left <= x < right, top <= y < bottom.
void fillBox(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right,
             std::int64_t bottom, Pixel colour);

// Alternate (even-odd) fill with the top-left rule; the polygon closes itself.
void fillPolygon(const Canvas& canvas, const POINT* points, int count, Pixel colour);

// Lines from each point to the next (and from the last back to the first when
// `closed`). Widths 0 and 1 draw one pixel; see platform/drawing/drawing.h for wider pens.
void strokePolyline(const Canvas& canvas, const POINT* points, int count, bool closed, int width,
                    Pixel colour);

// fillPolygon with `fill` (when non-null), then the closed outline with the
// pen (when non-null), the polygon's bounds computed once for both.
void drawPolygon(const Canvas& canvas, const POINT* points, int count, const Pixel* fill, int penWidth,
                 const Pixel* pen);

// The ellipse inscribed in the box: its inside with `fill` (when non-null),
// then a ring of `penWidth` pixels along its edge with `pen` (when non-null).
void drawEllipse(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom, const Pixel* fill, const Pixel* pen, int penWidth);

}  // namespace platform
