#include "render/board_renderer.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

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

// A number as the board shows it: its text, centred in its box.
struct NumberLabel {
    RECT box;
    WCHAR text[12];
    int length;
};

// The numbers of the frame, and how many rows beyond its box a number's
// glyphs may reach: a line's height, twice what a line centred in a box too
// small for it can stand out of it.
struct NumberPlan {
    std::vector<NumberLabel> labels;
    LONG reach = 0;
};

// Kept between frames: after the first, a frame allocates nothing.
thread_local NumberPlan numberPlan;

void planNumbers(Pattern& pattern, const BoardBrushes& brushes, NumberPlan& plan);
void drawPlannedNumbers(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, const NumberPlan& plan,
                        LONG top, LONG bottom);

// Band by band: the rows of a band go from the ground to the window while
// they are still in the processor's cache, which a board of many megabytes
// drawn whole is not. A band's drawing is limited to its rows and is the
// whole frame's, in the same order, so every pixel comes out the same.
void drawBands(HDC window, HDC memory, Pattern* pattern, const BoardView& view, const BoardBrushes& brushes,
               bool groundFilled, int bandRows) {
    const int width = view.area.right - view.area.left;
    const int height = view.area.bottom - view.area.top;
    const bool oneBand = bandRows >= height;
    for (int top = 0; top < height; top += bandRows) {
        const RECT band{0, top, width, std::min(height, top + bandRows)};
        if (!oneBand) {
            platform::limitDrawingTo(memory, &band);
        }
        if (!groundFilled) {
            FillRect(memory, &band, brushes.gray);
        }
        if (pattern != nullptr) {
            drawPlannedPieces(*pattern, memory, brushes, band.top, band.bottom);
            drawPlannedNumbers(*pattern, memory, brushes, numberPlan, band.top, band.bottom);
        }
        BitBlt(window, view.area.left, view.area.top + top, width, band.bottom - top, memory, 0, top,
               SRCCOPY);
    }
    platform::limitDrawingTo(memory, nullptr);
}

}  // namespace

void drawBoard(HDC window, HBITMAP& buffer, Pattern* pattern, const BoardView& view,
               const BoardBrushes& brushes) {
    // Bands of 1 MB: in a core's 2 MB cache beside what the drawing needs
    // (larger bands measured slower, smaller ones too). A board of up to
    // 3 MB is drawn in one go: there the pieces drawn in more than one band
    // would cost more than the cache saves. So is a pattern of many pieces:
    // each band looks at every piece, and a board of thousands of small
    // pieces measured slower in bands.
    constexpr std::int64_t kBandBytes = 1024 << 10;
    constexpr std::int64_t kOneGoBytes = 3072 << 10;
    constexpr std::size_t kMostPiecesInBands = 2000;
    const std::int64_t rowBytes = std::int64_t{std::max(1, view.area.right - view.area.left)} * 4;
    const int height = view.area.bottom - view.area.top;
    const bool inOneGo = rowBytes * height <= kOneGoBytes ||
                         (pattern != nullptr && pattern->pieces.size() > kMostPiecesInBands);
    drawBoardInBands(window, buffer, pattern, view, brushes,
                     inOneGo ? height : static_cast<int>(std::max<std::int64_t>(1, kBandBytes / rowBytes)));
}

void drawBoardInBands(HDC window, HBITMAP& buffer, Pattern* pattern, const BoardView& view,
                      const BoardBrushes& brushes, int bandRows) {
    const int width = view.area.right - view.area.left;
    const int height = view.area.bottom - view.area.top;
    const HDC memory = CreateCompatibleDC(window);
    HBITMAP old = nullptr;
    // The last frame's buffer is painted over: a new one would cost the
    // system's zeroing of its fresh pages on top of the grey fill. A new one
    // is made grey at once: the board's ground, with no black fill first.
    const bool reused = bufferFits(buffer, width, height);
    if (!reused) {
        DeleteObject(buffer);
        buffer = platform::createBitmapFilledWith(width, height, brushes.gray);
    }
    old = SelectObject(memory, buffer);
    if (pattern != nullptr) {
        bringViewUpToDate(*pattern, view);
        planVisiblePieces(*pattern, bandRows < height);
        planNumbers(*pattern, brushes, numberPlan);
    }
    drawBands(window, memory, pattern, view, brushes, !reused, std::max(1, bandRows));
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
    planNumbers(pattern, brushes, numberPlan);
    drawPlannedNumbers(pattern, hdc, brushes, numberPlan, LONG{INT32_MIN}, LONG{INT32_MAX});
}

namespace {

void planNumbers(Pattern& pattern, const BoardBrushes& brushes, NumberPlan& plan) {
    plan.labels.clear();
    plan.reach = platform::fontLineHeight(brushes.largeFont);
    const auto mode = static_cast<PaintingMode>(pattern.settings.PaintingMode);
    if (mode == PaintingMode::Free) {
        return;  // Free mode shows no numbers at all
    }
    const ViewTransform& view = pattern.viewTransform;
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
        NumberLabel& label = plan.labels.emplace_back();
        char digits[12];
        char* end = std::to_chars(digits, digits + sizeof digits, piece.colour + 1).ptr;
        std::copy(digits, end, label.text);
        label.length = static_cast<int>(end - digits);
        label.box = RECT{p.x - labelHalfSize, p.y - labelHalfSize, p.x + labelHalfSize, p.y + labelHalfSize};
    }
}

// The planned numbers whose glyphs may reach the rows top <= y < bottom.
void drawPlannedNumbers(Pattern& pattern, HDC hdc, const BoardBrushes& brushes, const NumberPlan& plan,
                        LONG top, LONG bottom) {
    if (plan.labels.empty()) {
        return;
    }
    SetTextColor(hdc, boardSchemeOf(pattern, brushes).numbers);
    const HFONT oldFont = SelectObject(hdc, brushes.largeFont);
    SetBkMode(hdc, TRANSPARENT);
    for (const NumberLabel& label : plan.labels) {
        if (label.box.bottom + plan.reach <= top || label.box.top - plan.reach >= bottom) {
            continue;
        }
        RECT box = label.box;
        DrawText(hdc, label.text, label.length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    SelectObject(hdc, oldFont);
    SetBkMode(hdc, OPAQUE);
}

}  // namespace
