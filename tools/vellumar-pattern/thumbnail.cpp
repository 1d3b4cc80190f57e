#include "tools/vellumar-pattern/thumbnail.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "pattern/painting.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/device_context.h"
#include "platform/gdi_objects.h"
#include "render/board_renderer.h"
#include "render/game_fonts.h"

namespace {

// Averages each factor x factor block, rounding to nearest.
platform::Surface shrink(const platform::Surface& big, int factor) {
    const int width = big.width() / factor;
    const int height = big.height() / factor;
    const auto cells = static_cast<std::uint32_t>(factor * factor);
    platform::Surface small(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t red = 0, green = 0, blue = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const platform::Pixel* row = big.row(y * factor + dy) + x * factor;
                for (int dx = 0; dx < factor; ++dx) {
                    red += (row[dx] >> 16) & 0xFF;
                    green += (row[dx] >> 8) & 0xFF;
                    blue += row[dx] & 0xFF;
                }
            }
            const auto mean = [cells](std::uint32_t sum) { return (sum + cells / 2) / cells; };
            small.set(x, y, (mean(red) << 16) | (mean(green) << 8) | mean(blue));
        }
    }
    return small;
}

}  // namespace

ThumbnailSize thumbnailSize(const Pattern& pattern, int boxWidth, int boxHeight) {
    const double w = pattern.extentWidth;
    const double h = pattern.extentHeight;
    if (!(w > 0 && h > 0) || boxWidth < 1 || boxHeight < 1) {
        return {};
    }
    if (h * boxWidth <= w * boxHeight) {
        // Wider than the box: the width fills it.
        return {boxWidth, std::clamp(static_cast<int>(std::lround(boxWidth * h / w)), 1, boxHeight)};
    }
    return {std::clamp(static_cast<int>(std::lround(boxHeight * w / h)), 1, boxWidth), boxHeight};
}

platform::Surface renderThumbnail(Pattern& pattern, int width, int height) {
    if (width < 1 || height < 1) {
        return {};
    }
    completePainting(pattern);
    const int boardWidth = width * kThumbnailSupersample;
    const int boardHeight = height * kThumbnailSupersample;

    // At zoom 1 the game fits the whole picture inside the board, leaving a
    // grey strip on the side where the board's aspect is slightly off. The
    // zoom that makes the fitted side exactly the picture's removes it.
    fitToBoard(pattern, boardWidth / 2, boardHeight / 2, boardWidth, boardHeight);
    const ViewTransform& fit = pattern.viewTransform;
    float zoom = 1.0f;
    if (fit.extentWidthUnits > 0 && fit.extentHeightUnits > 0) {
        zoom = std::max({1.0f, static_cast<float>(fit.fitWidth) / static_cast<float>(fit.extentWidthUnits),
                         static_cast<float>(fit.fitHeight) / static_cast<float>(fit.extentHeightUnits)});
    }

    platform::Surface board(boardWidth, boardHeight);
    const HDC dc = platform::createSurfaceDC(board);
    const BoardBrushes brushes{CreateSolidBrush(RGB(128, 128, 128)), CreateSolidBrush(RGB(255, 255, 255)),
                               CreateSolidBrush(RGB(0, 0, 0)), CreateSolidBrush(RGB(110, 87, 158)),
                               createLargeFont(96)};
    HBITMAP buffer = nullptr;
    drawBoard(dc, buffer, &pattern, BoardView{{0, 0, boardWidth, boardHeight}, zoom, 0, 0}, brushes);
    DeleteObject(buffer);
    DeleteDC(dc);
    DeleteObject(brushes.gray);
    DeleteObject(brushes.white);
    DeleteObject(brushes.black);
    DeleteObject(brushes.background);
    DeleteObject(brushes.largeFont);
    return shrink(board, kThumbnailSupersample);
}
