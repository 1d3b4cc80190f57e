// What one full redraw of a pattern can cost at the largest board, at any
// zoom the game offers, counted when the pattern is built: a file whose
// outlines would keep some frame busy for seconds is refused like any other
// damaged file, so no file that loads can stall the game (or freeze it again
// on every start, as the current pattern).
#pragma once

#include <span>
#include <string>

#include "pattern/drawing_budget.h"
#include "pattern/view_transform.h"

struct Piece;

// An upper bound of the costliest frame at any of the game's zooms and any
// view centre. `largestBoard` is the pattern's view fitted to the largest
// board, at zoom 1.
DrawingWork measureDrawingWork(std::span<const Piece> pieces, const ViewTransform& largestBoard);

// Why drawing would take too long; empty when the work is within the budget.
std::string findDrawingFault(const DrawingWork& work);
// The same for a pattern's pieces, without searching every window when a
// bound of them all already fits the budget.
std::string findDrawingFault(std::span<const Piece> pieces, const ViewTransform& largestBoard);
