// The rules every playable pattern keeps, judged on the loaded pattern with
// the game's own hit test and view transform, on the portrait board of a
// 240 x 294 screen.
#pragma once

#include <cstdint>
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

// Planarity: the picture sampled at kPlanaritySamples points across its
// longer side (and as finely across the other), every sample lies in exactly
// one piece, where "in a piece" means inside its outer contour and not in one
// of its holes (even-odd over all the piece's contours). The game fills whole
// outer contours and draws later pieces over earlier ones, so a pattern that
// breaks this shows outlines of hidden parts or leaves gaps.
inline constexpr int kPlanaritySamples = 1024;

// Pieces (by index) that hold each sample, counted.
struct PlanarityCounts {
    int columns = 0;
    int rows = 0;
    double step = 0;                    // pattern units between samples
    double originX = 0, originY = 0;    // the first sample's position
    std::vector<std::uint16_t> pieces;  // per sample, row by row
};
PlanarityCounts countPiecesPerSample(const Pattern& pattern);

// Empty when the pattern is planar; else one line for the gaps and one for
// the overlaps, each with where the first one lies.
std::vector<std::string> planarityFailures(const Pattern& pattern);

// Every rule `check` applies: playability, then planarity.
std::vector<std::string> checkFailures(Pattern& pattern);
