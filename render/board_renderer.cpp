#include "render/board_renderer.h"

#include <algorithm>
#include <charconv>

#include "core/settings.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/text_renderer.h"
#include "render/board_pieces.h"

namespace {

// Both entry points take the view from the game before drawing.
void bringViewUpToDate(Pattern& pattern, const BoardView& view) {
    setZoom(pattern, view.zoom);
    setCentre(pattern, view.centreX, view.centreY);
}

void copyToWindow(HDC window, HDC memory, const BoardView& view) {
    BitBlt(window, view.area.left, view.area.top, view.area.right - view.area.left,
           view.area.bottom - view.area.top, memory, 0, 0, SRCCOPY);
}

bool bufferFits(HBITMAP buffer, int width, int height) {
    BITMAP size{};
    return buffer != nullptr && GetObject(buffer, sizeof size, &size) != 0 && size.bmWidth == width &&
           size.bmHeight == height;
}

}  // namespace

void drawBoard(HDC window, HBITMAP& buffer, Pattern* pattern, const BoardView& view,
               const BoardBrushes& brushes) {
    const int width = view.area.right - view.area.left;
    const int height = view.area.bottom - view.area.top;
    const HDC memory = CreateCompatibleDC(window);
    HBITMAP old = nullptr;
    if (bufferFits(buffer, width, height)) {
        // The last frame's buffer, painted over: a new one would cost the
        // system's zeroing of its fresh pages on top of the grey fill.
        old = SelectObject(memory, buffer);
        const RECT whole{0, 0, width, height};
        FillRect(memory, &whole, brushes.gray);
    } else {
        DeleteObject(buffer);
        // Made grey at once: the board's ground, with no black fill first.
        buffer = platform::createBitmapFilledWith(width, height, brushes.gray);
        old = SelectObject(memory, buffer);
    }
    if (pattern != nullptr) {
        bringViewUpToDate(*pattern, view);
        drawVisiblePieces(*pattern, memory, brushes);
        drawNumbers(*pattern, memory, brushes);
    }
    copyToWindow(window, memory, view);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void drawBoardFrom(HDC window, HBITMAP buffer, Pattern* pattern, const BoardView& view,
                   const BoardBrushes& brushes, std::int32_t index) {
    if (buffer == nullptr) {
        return;
    }
    const HDC memory = CreateCompatibleDC(window);
    const HBITMAP old = SelectObject(memory, buffer);
    if (pattern != nullptr) {
        bringViewUpToDate(*pattern, view);
        drawPiecesFrom(*pattern, memory, brushes, index);
    }
    copyToWindow(window, memory, view);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void drawPiecesFrom(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, std::int32_t index) {
    for (std::int32_t j = index; j < static_cast<std::int32_t>(pattern.pieces.size()); ++j) {
        if (j == index || isPieceVisible(pattern, pattern.pieces[j])) {
            drawPiece(pattern, hdc, brushes, j, PiecePass::Fill);
        }
    }
    for (std::int32_t j = 0; j < index; ++j) {
        drawPiece(pattern, hdc, brushes, j, PiecePass::Outline);
    }
    drawNumbers(pattern, hdc, brushes);
}

void drawPiece(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, std::int32_t index, PiecePass pass) {
    const Piece& piece = pattern.pieces[index];
    if (piece.painted != 0 && pass == PiecePass::Outline) {
        return;  // a painted piece's border is drawn with its fill, in its own colour
    }
    const ViewTransform& view = pattern.viewTransform;
    const BoardScale scale = boardScale(view);
    POINT* points = pattern.screenPoints.data();
    if (pass == PiecePass::Fill) {
        const std::int32_t outer = piece.contourSizes.empty() ? 0 : piece.contourSizes[0];
        const std::int32_t kept = contourToBoard(view, scale, piece.points.data(), outer, points);
        const bool painted = piece.painted != 0;
        const HBRUSH oldBrush = SelectObject(
            hdc, painted ? pattern.colourBrush[piece.paintedColour] : boardSchemeOf(pattern, brushes).fill);
        const HPEN oldPen =
            SelectObject(hdc, painted ? pattern.colourPen[piece.paintedColour] : pattern.outlinePen);
        Polygon(hdc, points, kept);
        SelectObject(hdc, oldBrush);
        SelectObject(hdc, oldPen);
        return;
    }
    const HPEN oldPen = SelectObject(hdc, pattern.outlinePen);
    const POINT* from = piece.points.data();
    for (const std::int32_t size : piece.contourSizes) {
        Polyline(hdc, points, contourToBoard(view, scale, from, size, points));
        from += size;
    }
    SelectObject(hdc, oldPen);
}

void drawNumbers(Pattern& pattern, HDC hdc, const BoardBrushes& brushes) {
    const auto mode = static_cast<PaintingMode>(pattern.settings.PaintingMode);
    if (mode == PaintingMode::Free) {
        return;  // Free mode shows no numbers at all
    }
    const ViewTransform& view = pattern.viewTransform;
    SetTextColor(hdc, boardSchemeOf(pattern, brushes).numbers);
    const HFONT oldFont = SelectObject(hdc, brushes.largeFont);
    SetBkMode(hdc, TRANSPARENT);

    const std::int32_t labelMargin =
        static_cast<std::int32_t>(static_cast<float>(view.visibleWidth) / (view.zoom * 30.0f));
    const std::int32_t labelHalfSize = view.screenWidth / 30;
    const std::int32_t lowX = labelMargin - view.extentWidthUnits / 2;
    const std::int32_t highX = view.extentWidthUnits / 2 - labelMargin;
    const std::int32_t lowY = labelMargin - view.extentHeightUnits / 2;
    const std::int32_t highY = view.extentHeightUnits / 2 - labelMargin;
    const BoardScale scale = boardScale(view);

    for (const Piece& piece : pattern.pieces) {
        if (piece.painted != 0 || (mode == PaintingMode::Hint && piece.colour != pattern.selectedColour) ||
            !isPieceVisible(pattern, piece)) {
            continue;
        }
        // Raised to the lower limit, then lowered to the upper one: where the
        // limits cross, the upper one wins.
        const std::int32_t lx = std::min(std::max(piece.labelX, lowX), highX);
        const std::int32_t ly = std::min(std::max(piece.labelY, lowY), highY);
        const POINT p = patternToBoard(view, scale, {lx, ly});
        char digits[12];
        char* end = std::to_chars(digits, digits + sizeof digits, piece.colour + 1).ptr;
        WCHAR text[12];
        std::copy(digits, end, text);
        const int length = static_cast<int>(end - digits);
        RECT box{p.x - labelHalfSize, p.y - labelHalfSize, p.x + labelHalfSize, p.y + labelHalfSize};
        DrawText(hdc, text, length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    SelectObject(hdc, oldFont);
    SetBkMode(hdc, OPAQUE);
}
