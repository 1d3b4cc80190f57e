// Moving the view over the board: zoom taps, zoom-out steps, the Enter and
// arrow keys and the two scroll bars. The view state of the game and the
// pattern's view transform move together; the scroll bars show only while
// zoomed in.
#pragma once

#include <cstdint>

#include "platform/base/messages.h"

struct BoardRectangle;

// The board takes this rectangle, and the pattern's view is fitted to it.
void useBoard(const BoardRectangle& board);

// A tap with the zoom tool at a pattern point: half again as large, centred
// there but kept inside the picture.
void zoomInAt(std::int32_t px, std::int32_t py);

// Back by two thirds, or straight to the whole view; at zoom 1.0 the board
// takes its full size again and the scroll bars go.
void zoomOutStep(bool whole);

// Enter toggles between the whole view and the last zoomed one; the arrows
// pan by half a page. Answers whether the key was one of them.
bool handleNavigationKey(UINT virtualKey);

// WM_HSCROLL and WM_VSCROLL from the two bars.
void handleScroll(UINT message, WPARAM wParam, LPARAM lParam);

// Shows the bars, narrows the board and sets both bars from the view.
void updateScrollBars();

// The pattern point under a window pixel of the board; false off the board.
bool boardPointToPattern(int x, int y, POINT& at);
// The same for any window pixel, on the board's scale; the pattern must exist.
POINT windowPointToPattern(int x, int y);

// How far the arrow keys let a bar's position go: the window's near edge no
// further out than -extent/2, its far edge no further than extent/2.
std::int32_t clampToArrowBounds(std::int32_t pos, std::int32_t extent, std::int32_t page);
