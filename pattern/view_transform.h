// The mapping between pattern units and the board's pixels, for the whole
// picture at zoom 1 and for an enlarged part of it at higher zoom.
#pragma once

#include <cstdint>

#include "pattern/view_state.h"
#include "platform/base/types.h"

class Pattern;
struct Piece;

// The board's size changed: record it, its centre, and the rectangle of
// pattern units that fits it at zoom 1.
void fitToBoard(Pattern& pattern, std::int32_t width, std::int32_t height);
void setZoom(Pattern& pattern, float zoom);
// The same on a view of its own, for a pattern's extent before it is built.
void fitView(ViewTransform& view, float extentWidth, float extentHeight, std::int32_t width,
             std::int32_t height);
void setViewZoom(ViewTransform& view, float zoom);
void setCentre(Pattern& pattern, std::int32_t x, std::int32_t y);

// Is the pattern point inside the piece's outer contour? (Holes are not
// tested: a tap in a hole belongs to the piece around it.)
bool pointInPiece(const Piece& piece, std::int32_t x, std::int32_t y);

// Pattern units to board pixels: the two ratios are taken once per drawing pass.
struct BoardScale {
    float x = 0.0f;
    float y = 0.0f;
};
BoardScale boardScale(const ViewTransform& view);

// Every outline point of every drawn piece goes through here, so it is inline.
// The differences are taken in integers, the rest in single precision, and
// the result truncated toward zero (values no board can reach come out as 0).
inline std::int32_t truncateToPixel(float v) {
    return (v > -2.0e9f && v < 2.0e9f) ? static_cast<std::int32_t>(v) : 0;
}
inline POINT patternToBoard(const ViewTransform& view, BoardScale scale, POINT p) {
    return {truncateToPixel(static_cast<float>(p.x - view.viewCentreX) * scale.x +
                            static_cast<float>(view.screenCentreX)),
            truncateToPixel(static_cast<float>(p.y - view.viewCentreY) * scale.y +
                            static_cast<float>(view.screenCentreY))};
}

// A window pixel inside the board rectangle to pattern units, with every
// division truncating toward zero.
POINT windowToPattern(const ViewTransform& view, const RECT& board, std::int32_t x, std::int32_t y);

// After a zoom tap: moves the new centre on one axis so that the visible
// window stays inside the picture. `boardPixels` is the board's width (or
// height), `visible` the visible width (or height) in pattern units.
std::int32_t keepCentreInside(std::int32_t centre, std::int32_t boardPixels, std::int32_t visible, float low,
                              float high);
