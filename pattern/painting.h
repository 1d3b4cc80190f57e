// The rules of a tap on the board: which piece it hits, whether it paints it
// or counts a miss, when a colour is finished, and the sound of each outcome.
#pragma once

#include <cstdint>

class Pattern;

// Paints the topmost piece under the pattern point with the selected colour.
// Returns 1 and stores the piece's index in `index` when a piece was painted;
// 0 for a miss or a tap outside every piece.
int paintAt(Pattern& pattern, std::int32_t x, std::int32_t y, std::int32_t& index);

// Paints one piece with `colour`; returns the new number of pieces left.
std::int32_t paintPiece(Pattern& pattern, std::int32_t index, std::int32_t colour);

std::int32_t countUnpaintedPieces(const Pattern& pattern);
int colourHasUnpaintedPiece(const Pattern& pattern, std::int32_t colour);

// Every piece unpainted again, every count back at its start.
void resetPainting(Pattern& pattern);
// Every piece painted with its own colour.
void completePainting(Pattern& pattern);
