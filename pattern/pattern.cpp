#include "pattern/pattern.h"

#include <algorithm>

Pattern::Pattern(Settings& s) : settings(s) {
    viewTransform.zoom = 1.0f;
}

Pattern::~Pattern() {
    for (int i = 0; i < colourCount; ++i) {
        DeleteObject(colourBrush[i]);
        DeleteObject(colourPen[i]);
    }
    DeleteObject(outlinePen);
}

std::int32_t colourLumaOf(BYTE red, BYTE green, BYTE blue) {
    const float luma = (static_cast<float>(blue) * 0.11f + static_cast<float>(red) * 0.3f) +
                       static_cast<float>(green) * 0.5f;
    return static_cast<std::int32_t>(luma);
}

void computeBounds(Piece& piece) {
    piece.boundsMinX = piece.boundsMinY = 1000000;
    piece.boundsMaxX = piece.boundsMaxY = -1000000;
    const std::int32_t outer = piece.contourSizes.empty() ? 0 : piece.contourSizes[0];
    for (const POINT& p : piece.points.first(static_cast<std::size_t>(outer))) {
        piece.boundsMinX = std::min(piece.boundsMinX, p.x);
        piece.boundsMinY = std::min(piece.boundsMinY, p.y);
        piece.boundsMaxX = std::max(piece.boundsMaxX, p.x);
        piece.boundsMaxY = std::max(piece.boundsMaxY, p.y);
    }
}
