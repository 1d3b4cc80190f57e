#include "tools/vellumar-pattern/playability.h"

#include <algorithm>
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

// Where a row of samples crosses a piece's outline, row by row: (row, x).
// Each segment is taken from its upper end, so two pieces that share it
// find the very same crossing and split the samples on it between them.
std::vector<std::pair<int, double>> rowCrossings(const Piece& piece, const PlanarityCounts& grid) {
    std::vector<std::pair<int, double>> crossings;
    int start = 0;
    for (int c = 0; c < piece.contourCount; ++c) {
        const int n = piece.contourSizes[c];
        for (int i = 0; i < n; ++i) {
            POINT a = piece.points[start + i];
            POINT b = piece.points[start + (i + 1) % n];
            if (a.y == b.y) {
                continue;
            }
            if (b.y < a.y) {
                std::swap(a, b);
            }
            // Rows whose y lies in [a.y, b.y): a sample row on a vertex counts it once.
            const int first = std::max(0, static_cast<int>(std::ceil((a.y - grid.originY) / grid.step)));
            const int last =
                std::min(grid.rows - 1, static_cast<int>(std::ceil((b.y - grid.originY) / grid.step)) - 1);
            for (int row = first; row <= last; ++row) {
                const double y = grid.originY + row * grid.step;
                crossings.emplace_back(row, a.x + (y - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
            }
        }
        start += n;
    }
    std::ranges::sort(crossings);
    return crossings;
}

std::string samplePlace(const PlanarityCounts& grid, std::size_t sample) {
    const auto x = std::lround(grid.originX + static_cast<double>(sample % grid.columns) * grid.step);
    const auto y = std::lround(grid.originY + static_cast<double>(sample / grid.columns) * grid.step);
    return std::to_string(x) + ", " + std::to_string(y);
}

}  // namespace

void viewAt(Pattern& pattern, float zoom) {
    // Zoomed in, the scroll bars show and narrow the board.
    const ScreenLayout layout = computeLayout(kScreenWidth, kScreenHeight, kToolbarBitmapSizes);
    const BoardRectangle board = zoom > 1.0f ? layout.boardRectWithBars : layout.boardRect;
    fitToBoard(pattern, board.width, board.height);
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

PlanarityCounts countPiecesPerSample(const Pattern& pattern) {
    PlanarityCounts grid;
    const double width = pattern.maxX - pattern.minX, height = pattern.maxY - pattern.minY;
    grid.step = std::max(width, height) / kPlanaritySamples;
    if (!(grid.step > 0)) {
        return grid;
    }
    grid.columns = std::max(1, static_cast<int>(width / grid.step));
    grid.rows = std::max(1, static_cast<int>(height / grid.step));
    grid.originX = pattern.minX + grid.step / 2;
    grid.originY = pattern.minY + grid.step / 2;
    // Per row, +1 where a piece's span of samples starts and -1 after it ends.
    std::vector<std::int32_t> changes(static_cast<std::size_t>(grid.rows) * (grid.columns + 1), 0);
    for (int k = 0; k < pattern.pieceCount; ++k) {
        const auto crossings = rowCrossings(pattern.pieces[k], grid);
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const auto [row, from] = crossings[i];
            const double to = crossings[i + 1].second;
            // Samples with from < x <= to lie inside (even-odd, in crossing order along the row).
            const int first =
                std::max(0, static_cast<int>(std::floor((from - grid.originX) / grid.step)) + 1);
            const int last =
                std::min(grid.columns - 1, static_cast<int>(std::floor((to - grid.originX) / grid.step)));
            if (first <= last) {
                std::int32_t* line = &changes[static_cast<std::size_t>(row) * (grid.columns + 1)];
                ++line[first];
                --line[last + 1];
            }
        }
    }
    grid.pieces.resize(static_cast<std::size_t>(grid.rows) * grid.columns);
    for (int row = 0; row < grid.rows; ++row) {
        std::int32_t count = 0;
        for (int column = 0; column < grid.columns; ++column) {
            count += changes[static_cast<std::size_t>(row) * (grid.columns + 1) + column];
            grid.pieces[static_cast<std::size_t>(row) * grid.columns + column] =
                static_cast<std::uint16_t>(std::clamp(count, 0, 65535));
        }
    }
    return grid;
}

std::vector<std::string> planarityFailures(const Pattern& pattern) {
    const PlanarityCounts grid = countPiecesPerSample(pattern);
    std::size_t gaps = 0, overlaps = 0, firstGap = 0, firstOverlap = 0;
    for (std::size_t i = 0; i < grid.pieces.size(); ++i) {
        if (grid.pieces[i] == 0 && gaps++ == 0) {
            firstGap = i;
        } else if (grid.pieces[i] > 1 && overlaps++ == 0) {
            firstOverlap = i;
        }
    }
    const auto share = [&](std::size_t n) {
        return std::to_string(n) + " of " + std::to_string(grid.pieces.size()) + " sample points";
    };
    std::vector<std::string> failures;
    if (gaps > 0) {
        failures.push_back("not planar: " + share(gaps) + " lie in no piece (the first at " +
                           samplePlace(grid, firstGap) + ")");
    }
    if (overlaps > 0) {
        failures.push_back("not planar: " + share(overlaps) + " lie in two or more pieces (the first at " +
                           samplePlace(grid, firstOverlap) + ", in " +
                           std::to_string(grid.pieces[firstOverlap]) + " pieces)");
    }
    return failures;
}

std::vector<std::string> checkFailures(Pattern& pattern) {
    std::vector<std::string> failures = playabilityFailures(pattern);
    for (std::string& f : planarityFailures(pattern)) {
        failures.push_back(std::move(f));
    }
    return failures;
}
