// The board: the pattern's pieces, filled or outlined by their state and the
// colour scheme, with the number of each unpainted piece, drawn into an
// off-screen image that is copied to the window in one block.
#pragma once

#include <cstdint>

#include "platform/base/handles.h"
#include "platform/base/types.h"
#include "render/board_pieces.h"

class Pattern;

// What the board is drawn with and where, as the game holds it.
struct BoardView {
    RECT area{};  // left, top, right, bottom in window pixels
    float zoom = 1.0f;
    std::int32_t centreX = 0;
    std::int32_t centreY = 0;
};

enum class PiecePass { Fill, Outline };

// The full redraw: the off-screen buffer (the last one, painted over, when it
// has the board's size; else a new one, the old one deleted), grey, the
// pieces, copied to the window; a large board band by band
// (drawBoardInBands). `buffer` keeps the image for quick redraws.
void drawBoard(HDC window, HBITMAP& buffer, Pattern* pattern, const BoardView& view,
               const BoardBrushes& brushes);
// drawBoard, drawn and copied to the window `bandRows` rows at a time (the
// pixels are the same for any band height).
void drawBoardInBands(HDC window, HBITMAP& buffer, Pattern* pattern, const BoardView& view,
                      const BoardBrushes& brushes, int bandRows);

// The quick redraw after piece `index` was painted: from that piece onwards
// into the kept buffer, then copied to the window. Nothing before the first
// full redraw.
void drawBoardFrom(HDC window, HBITMAP buffer, Pattern* pattern, const BoardView& view,
                   const BoardBrushes& brushes, std::int32_t index);

void drawPiecesFrom(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, std::int32_t index);
void drawPiece(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, std::int32_t index, PiecePass pass);
void drawNumbers(Pattern& pattern, HDC hdc, const BoardBrushes& brushes);
