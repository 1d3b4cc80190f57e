#include "tools/vellumar-pattern/playability.h"

#include <cmath>

#include "pattern/view_transform.h"
#include "ui/screen_layout.h"

namespace {

std::string pieceName(const Pattern& pattern, int k) {
    const Piece& piece = pattern.pieces[k];
    return "piece " + std::to_string(k) + " (number " + std::to_string(piece.colour + 1) + ", label at " +
           std::to_string(piece.labelX) + ", " + std::to_string(piece.labelY) + ")";
}

std::string hitName(int hit) {
    return hit < 0 ? "no piece" : "piece " + std::to_string(hit);
}

}  // namespace

void viewAt(Pattern& pattern, float zoom) {
    // Zoomed in, the scroll bars show and narrow the board.
    const ScreenLayout layout = computeLayout(kScreenWidth, kScreenHeight, kToolbarBitmapSizes);
    const BoardRectangle board = zoom > 1.0f ? layout.boardRectWithBars : layout.boardRect;
    fitToBoard(pattern, board.width / 2, board.height / 2, board.width, board.height);
    setZoom(pattern, zoom);
    setCentre(pattern, 0, 0);
}

LabelLimits labelLimitsAtZoom1(Pattern& pattern) {
    viewAt(pattern, 1.0f);
    const ViewTransform& v = pattern.viewTransform;
    const auto margin = static_cast<std::int32_t>(static_cast<float>(v.visibleWidth) / (v.zoom * 30.0f));
    return {margin - v.extentWidthUnits / 2, v.extentWidthUnits / 2 - margin,
            margin - v.extentHeightUnits / 2, v.extentHeightUnits / 2 - margin};
}

double unitsPerPixel(Pattern& pattern, float zoom) {
    viewAt(pattern, zoom);
    const ViewTransform& v = pattern.viewTransform;
    return v.screenWidth > 0 ? static_cast<double>(v.visibleWidth) / v.screenWidth : 0.0;
}

int hitPiece(const Pattern& pattern, std::int32_t x, std::int32_t y) {
    for (int k = pattern.pieceCount - 1; k >= 0; --k) {
        if (pointInPiece(pattern.pieces[k], x, y)) {
            return k;
        }
    }
    return -1;
}

std::vector<std::string> playabilityFailures(Pattern& pattern, int tapRadiusPixels) {
    std::vector<std::string> failures;
    if (pattern.colourCount > kPaletteButtons) {
        failures.push_back("it uses " + std::to_string(pattern.colourCount) + " colours; the palette has " +
                           std::to_string(kPaletteButtons) + " buttons");
    }
    const LabelLimits limits = labelLimitsAtZoom1(pattern);
    const double unit = unitsPerPixel(pattern, kTapZoom);
    for (int k = 0; k < pattern.pieceCount; ++k) {
        const Piece& piece = pattern.pieces[k];
        if (const int hit = hitPiece(pattern, piece.labelX, piece.labelY); hit != k) {
            failures.push_back(pieceName(pattern, k) + ": a tap on its label hits " + hitName(hit));
            continue;
        }
        if (!limits.contains(piece.labelX, piece.labelY)) {
            failures.push_back(pieceName(pattern, k) + ": the label lies outside x " +
                               std::to_string(limits.minX) + " to " + std::to_string(limits.maxX) + ", y " +
                               std::to_string(limits.minY) + " to " + std::to_string(limits.maxY) +
                               ", where the board draws numbers");
        }
        bool comfortable = true;
        for (int dy = -tapRadiusPixels; dy <= tapRadiusPixels && comfortable; ++dy) {
            for (int dx = -tapRadiusPixels; dx <= tapRadiusPixels && comfortable; ++dx) {
                if (dx * dx + dy * dy > tapRadiusPixels * tapRadiusPixels) {
                    continue;
                }
                const auto x = piece.labelX + static_cast<std::int32_t>(std::lround(dx * unit));
                const auto y = piece.labelY + static_cast<std::int32_t>(std::lround(dy * unit));
                if (const int hit = hitPiece(pattern, x, y); hit != k) {
                    failures.push_back(pieceName(pattern, k) + ": too small to tap at zoom 3.375: " +
                                       std::to_string(std::lround(std::hypot(dx, dy))) +
                                       " pixels from its label a tap hits " + hitName(hit));
                    comfortable = false;
                }
            }
        }
    }
    return failures;
}
