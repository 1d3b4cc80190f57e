// The chooser's thumbnail of a pattern: the finished picture, every piece
// painted, drawn by the game's board renderer.
#pragma once

#include "platform/pixels/surface.h"

class Pattern;

// The box a thumbnail fits in by default. The chooser's frame is 96 x 177
// pixels on the smallest screen (240 x 294); 128 keeps a portrait picture's
// thumbnail from towering over the list beside it, and the chooser shrinks
// nothing that fits its frame.
inline constexpr int kThumbnailBoxWidth = 96;
inline constexpr int kThumbnailBoxHeight = 128;

// The board is drawn at this many times the thumbnail's size and each block
// of pixels averaged, so edges are smooth at 96 pixels.
inline constexpr int kThumbnailSupersample = 4;

struct ThumbnailSize {
    int width = 0;
    int height = 0;
};

// The largest size with the picture's aspect (its extent in pattern units)
// that fits the box: one side equals the box's, the other is rounded to the
// nearest pixel and at least 1. {0, 0} for an empty pattern or box.
ThumbnailSize thumbnailSize(const Pattern& pattern, int boxWidth, int boxHeight);

// Paints every piece (the pattern keeps them painted) and draws the board at
// width x height, zoomed just enough that the picture covers the whole board.
platform::Surface drawFinishedBoard(Pattern& pattern, int width, int height);

// Paints every piece (the pattern keeps them painted) and draws the board at
// kThumbnailSupersample times width x height, zoomed just enough that the
// picture covers the whole board, so no grey margin shows where the size was
// rounded; then averages it down to width x height. Empty for sizes below 1.
platform::Surface renderThumbnail(Pattern& pattern, int width, int height);
