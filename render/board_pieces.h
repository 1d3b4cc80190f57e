// The board's pieces: the brushes they are drawn with, which of them the view
// shows, and their outlines in pixels, converted from pattern units once a
// frame for the fill and the outline both.
#pragma once

#include <cstdint>

#include "pattern/view_transform.h"
#include "platform/base/handles.h"
#include "platform/base/types.h"

class Pattern;
struct Piece;

struct BoardBrushes {
    HBRUSH gray = nullptr;        // outside the picture
    HBRUSH white = nullptr;       // unpainted, schemes 0 and 2
    HBRUSH black = nullptr;       // unpainted, scheme 1
    HBRUSH background = nullptr;  // unpainted, scheme 3
    HFONT largeFont = nullptr;    // the numbers
};

// Whether any of the piece's box lies inside the view (touching its edge is not enough).
bool isPieceVisible(const Pattern& pattern, const Piece& piece);

// What unpainted pieces are filled with and their numbers written in.
struct BoardScheme {
    HBRUSH fill;
    COLORREF numbers;
};
BoardScheme boardSchemeOf(const Pattern& pattern, const BoardBrushes& brushes);

// A contour's `count` points in board pixels, written to `to`; answers how
// many were written. A point on the same pixel as the one before it is left
// out: the line between them draws nothing (a line leaves its end out) and
// the fill's edge between them is level (it bounds no row), so the pixels
// are the same with less to walk. At least two points stay of a contour that
// had two.
std::int32_t contourToBoard(const ViewTransform& view, BoardScale scale, const POINT* from,
                            std::int32_t count, POINT* to);

// The visible pieces' contours in this frame's pixels, worked out once for
// every band of the full redraw; `inBands` when there is more than one, for
// which the rows each piece reaches are worked out too.
void planVisiblePieces(Pattern& pattern, bool inBands);

// Both passes of the full redraw over the planned pieces whose pixels may
// reach the rows top <= y < bottom: every fill (a painted piece with its
// border in its own colour), then the outlines of the unpainted ones.
void drawPlannedPieces(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, LONG top, LONG bottom);
