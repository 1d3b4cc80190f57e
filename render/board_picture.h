// The board drawn on its own, as the game draws it, for the tools, tests and
// benchmarks that show a pattern without the game around it.
#pragma once

#include "platform/pixels/surface.h"
#include "render/board_renderer.h"

// The game's board brushes and its numbers' font, owned.
class GameBoardBrushes {
  public:
    explicit GameBoardBrushes(int dotsPerInch);
    ~GameBoardBrushes();
    GameBoardBrushes(const GameBoardBrushes&) = delete;
    GameBoardBrushes& operator=(const GameBoardBrushes&) = delete;

    const BoardBrushes& get() const { return brushes_; }

  private:
    BoardBrushes brushes_;
};

// The pattern's board at the view's size (its area's width and height) and
// zoom and centre.
platform::Surface drawBoardPicture(Pattern& pattern, const BoardView& view, int dotsPerInch);
