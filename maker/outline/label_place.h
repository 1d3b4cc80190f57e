// Where each piece's number goes: the point deepest inside it (farthest from
// its border and the picture's frame), among the places where the board
// draws numbers without moving them: the board keeps every number
// labelMargin = visible width / 30 in from the picture's edges, and a number
// moved there could leave a piece lying along the frame.
#pragma once

#include <vector>

#include "maker/outline/picture_frame.h"
#include "maker/segmentation.h"

// The board the limits are judged on: the 240 x 168 board of the smallest
// portrait screen the game lays out, the one `vellumar-pattern check` uses.
inline constexpr int kLabelBoardWidth = 240;
inline constexpr int kLabelBoardHeight = 168;

// The rectangle, in pixel coordinates of the picture, where numbers stay put.
struct LabelBox {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool contains(PointD p) const { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; }
};
LabelBox labelBoxOf(const PictureFrame& frame);

// Per region: the centre of its deepest pixel inside the box, or of its
// deepest pixel anywhere when none lies inside (pixel coordinates).
std::vector<PointD> deepestPoints(const Segmentation& segmentation, const LabelBox& box);
