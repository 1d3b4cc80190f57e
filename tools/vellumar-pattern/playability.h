// The rules every playable pattern keeps, judged on the loaded pattern with
// the game's own hit test and view transform, on the portrait board of a
// 240 x 294 screen.
#pragma once

#include <string>
#include <vector>

#include "pattern/pattern.h"

inline constexpr int kPaletteButtons = 32;
inline constexpr float kTapZoom = 3.375f;  // zoomed in three times (1.5 each)
inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 294;
// "Comfortably": at kTapZoom, every pixel within this radius of the label
// (its centre and each pixel offset (dx, dy) with dx^2 + dy^2 <= r^2) hits
// the piece. A stylus lands within a few pixels of where it is aimed.
inline constexpr int kTapRadiusPixels = 3;

// Fits the pattern's view to the board (240 x 168 pixels at zoom 1, 225 x 153
// with the scroll bars that show when zoomed in) and sets the zoom.
void viewAt(Pattern& pattern, float zoom);

// Where the board renderer keeps numbers at zoom 1: labelMargin =
// trunc(visibleWidth / (zoom x 30)) in from each edge of the picture.
struct LabelLimits {
    std::int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool contains(std::int32_t x, std::int32_t y) const {
        return x >= minX && x <= maxX && y >= minY && y <= maxY;
    }
};
LabelLimits labelLimitsAtZoom1(Pattern& pattern);

// Pattern units across one board pixel at the zoom.
double unitsPerPixel(Pattern& pattern, float zoom);

// The piece a tap at the pattern point hits, searching from the last piece
// as the game does; -1 for none.
int hitPiece(const Pattern& pattern, std::int32_t x, std::int32_t y);

// Every broken rule, one line each; empty when the pattern is playable.
std::vector<std::string> playabilityFailures(Pattern& pattern, int tapRadiusPixels = kTapRadiusPixels);
