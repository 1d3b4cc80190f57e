#include "render/thumbnail.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "pattern/painting.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "render/board_picture.h"

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

platform::Surface drawFinishedBoard(Pattern& pattern, int width, int height) {
    completePainting(pattern);
    // At zoom 1 the game fits the whole picture inside the board, leaving a
    // grey strip on the side where the board's aspect is slightly off. The
    // zoom that makes the fitted side exactly the picture's removes it.
    fitToBoard(pattern, width, height);
    const ViewTransform& fit = pattern.viewTransform;
    float zoom = 1.0f;
    if (fit.extentWidthUnits > 0 && fit.extentHeightUnits > 0) {
        zoom = std::max({1.0f, static_cast<float>(fit.fitWidth) / static_cast<float>(fit.extentWidthUnits),
                         static_cast<float>(fit.fitHeight) / static_cast<float>(fit.extentHeightUnits)});
    }
    return drawBoardPicture(pattern, BoardView{{0, 0, width, height}, zoom, 0, 0}, 96);
}

platform::Surface renderThumbnail(Pattern& pattern, int width, int height) {
    if (width < 1 || height < 1) {
        return {};
    }
    const platform::Surface board =
        drawFinishedBoard(pattern, width * kThumbnailSupersample, height * kThumbnailSupersample);
    return shrink(board, kThumbnailSupersample);
}
