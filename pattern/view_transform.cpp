#include "pattern/view_transform.h"

#include <cmath>
#include <cstdint>

#include "pattern/pattern.h"

namespace {

std::int32_t truncate(float v) {
    if (!std::isfinite(v) || std::fabs(v) >= 2147483520.0f) {
        return 0;  // only an empty pattern or an empty board gets here
    }
    return static_cast<std::int32_t>(v);
}

}  // namespace

void fitToBoard(Pattern& pattern, std::int32_t width, std::int32_t height) {
    fitView(pattern.viewTransform, pattern.maxX - pattern.minX, pattern.maxY - pattern.minY, width, height);
}

void fitView(ViewTransform& v, float extentWidth, float extentHeight, std::int32_t width,
             std::int32_t height) {
    v.screenCentreX = width / 2;
    v.screenCentreY = height / 2;
    v.screenWidth = width;
    v.screenHeight = height;
    v.extentWidthUnits = truncate(extentWidth);
    v.extentHeightUnits = truncate(extentHeight);
    if (width <= 0 || height <= 0) {
        // Nothing can be shown on an empty board.
        v.screenAspect = 0.0f;
        v.fitWidth = v.fitHeight = 0;
        return;
    }
    v.screenAspect = static_cast<float>(height) / static_cast<float>(width);
    const float a = static_cast<float>(v.extentWidthUnits) * v.screenAspect;
    if (a < static_cast<float>(v.extentHeightUnits)) {
        v.fitHeight = v.extentHeightUnits;
        v.fitWidth = truncate(static_cast<float>(v.extentHeightUnits) / v.screenAspect);
    } else {
        v.fitWidth = v.extentWidthUnits;
        v.fitHeight = truncate(a);
    }
}

void setZoom(Pattern& pattern, float zoom) {
    setViewZoom(pattern.viewTransform, zoom);
}

void setViewZoom(ViewTransform& v, float zoom) {
    v.zoom = zoom;
    const float r = 1.0f / zoom;
    v.visibleWidth = truncate(static_cast<float>(v.fitWidth) * r);
    v.visibleHeight = truncate(static_cast<float>(v.fitHeight) * r);
}

void setCentre(Pattern& pattern, std::int32_t x, std::int32_t y) {
    pattern.viewTransform.viewCentreX = x;
    pattern.viewTransform.viewCentreY = y;
}

bool pointInPiece(const Piece& piece, std::int32_t x, std::int32_t y) {
    // Outside the box the crossing test below always answers false: above it
    // or at its top edge no edge crosses (every vertex y >= y), below it none
    // either, and to the left every crossing flips, an even number of times.
    // An empty contour's box is inverted, so it never gets past this.
    if (x < piece.boundsMinX || x > piece.boundsMaxX || y <= piece.boundsMinY || y > piece.boundsMaxY) {
        return false;
    }
    const std::int32_t n = piece.contourSizes.empty() ? 0 : piece.contourSizes[0];
    if (n == 0) {
        return false;
    }
    const double tx = x, ty = y;
    const POINT* v0 = &piece.points[n - 1];
    bool f0 = v0->y >= y;
    bool inside = false;
    for (std::int32_t i = 0; i < n; ++i) {
        const POINT* v1 = &piece.points[i];
        const bool f1 = v1->y >= y;
        if (f1 != f0) {
            const double left = (v1->y - ty) * static_cast<double>(v0->x - v1->x);
            const double right = (v1->x - tx) * static_cast<double>(v0->y - v1->y);
            if ((left >= right) == f1) {
                inside = !inside;
            }
        }
        v0 = v1;
        f0 = f1;
    }
    return inside;
}

BoardScale boardScale(const ViewTransform& view) {
    return {static_cast<float>(view.screenWidth) / static_cast<float>(view.visibleWidth),
            static_cast<float>(view.screenHeight) / static_cast<float>(view.visibleHeight)};
}

POINT windowToPattern(const ViewTransform& view, const RECT& board, std::int32_t x, std::int32_t y) {
    const std::int64_t width = board.right - board.left;
    const std::int64_t height = board.bottom - board.top;
    if (width <= 0 || height <= 0) {
        return {view.viewCentreX, view.viewCentreY};
    }
    const std::int64_t dx = x - board.left - width / 2;
    const std::int64_t dy = y - board.top - height / 2;
    return {static_cast<LONG>(view.viewCentreX + (dx * view.visibleWidth) / width),
            static_cast<LONG>(view.viewCentreY + (dy * view.visibleHeight) / height)};
}

std::int32_t keepCentreInside(std::int32_t centre, std::int32_t boardPixels, std::int32_t visible, float low,
                              float high) {
    if (boardPixels <= 0) {
        return centre;
    }
    const std::int32_t half =
        static_cast<std::int32_t>((static_cast<std::int64_t>(boardPixels / 2) * visible) / boardPixels);
    const float lowEdge = static_cast<float>(centre - half);
    const float highEdge = static_cast<float>(centre + half);
    const std::int32_t raise = lowEdge < low ? truncate(low - lowEdge) : 0;
    const std::int32_t lower = highEdge > high ? truncate(highEdge - high) : 0;
    return centre + raise - lower;
}
