#include "render/board_picture.h"

#include "core/window_colour.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "render/game_fonts.h"

GameBoardBrushes::GameBoardBrushes(int dotsPerInch)
    : brushes_{CreateSolidBrush(RGB(128, 128, 128)), CreateSolidBrush(RGB(255, 255, 255)),
               CreateSolidBrush(RGB(0, 0, 0)), CreateSolidBrush(kWindowColour),
               createLargeFont(dotsPerInch)} {}

GameBoardBrushes::~GameBoardBrushes() {
    DeleteObject(brushes_.gray);
    DeleteObject(brushes_.white);
    DeleteObject(brushes_.black);
    DeleteObject(brushes_.background);
    DeleteObject(brushes_.largeFont);
}

platform::Surface drawBoardPicture(Pattern& pattern, const BoardView& view, int dotsPerInch) {
    platform::Surface picture(view.area.right - view.area.left, view.area.bottom - view.area.top);
    const GameBoardBrushes brushes(dotsPerInch);
    const HDC dc = platform::createSurfaceDC(picture, {-view.area.left, -view.area.top});
    HBITMAP buffer = nullptr;
    drawBoard(dc, buffer, &pattern, view, brushes.get());
    DeleteObject(buffer);
    DeleteDC(dc);
    return picture;
}
