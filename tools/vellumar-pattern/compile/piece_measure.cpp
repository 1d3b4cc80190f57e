#include "tools/vellumar-pattern/compile/piece_measure.h"

#include <algorithm>
#include <cmath>

std::vector<PieceMeasure> measurePieces(const Pattern& pattern, const CanvasGrid& grid,
                                        const LabelLimits& limits) {
    const int columns = grid.columns, rows = grid.rows;
    std::vector<int> owner(static_cast<std::size_t>(columns) * rows, -1);
    Polygon outer;
    for (int k = 0; k < pattern.pieceCount; ++k) {
        const Piece& piece = pattern.pieces[k];
        outer.clear();
        for (int i = 0; i < piece.contourSizes[0]; ++i) {
            outer.push_back({static_cast<double>(piece.points[i].x), static_cast<double>(piece.points[i].y)});
        }
        fillPolygons(grid, {&outer}, true, [&](int row, int from, int to) {
            std::fill(owner.begin() + row * columns + from, owner.begin() + row * columns + to, k);
        });
    }
    // Feature cells: those beside a cell of another owner, and the picture's border.
    std::vector<bool> feature(owner.size(), false);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int o = owner[r * columns + c];
            const bool border = r == 0 || c == 0 || r == rows - 1 || c == columns - 1;
            feature[r * columns + c] = border || owner[(r - 1) * columns + c] != o ||
                                       owner[(r + 1) * columns + c] != o || owner[r * columns + c - 1] != o ||
                                       owner[r * columns + c + 1] != o;
        }
    }
    const std::vector<double> distance = distanceTransform(feature, columns, rows);

    std::vector<PieceMeasure> measures(static_cast<std::size_t>(std::max<int>(pattern.pieceCount, 0)));
    std::vector<double> best(measures.size(), -1);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int o = owner[r * columns + c];
            if (o < 0) {
                continue;
            }
            PieceMeasure& m = measures[o];
            ++m.cells;
            const PointD centre{grid.centreX(c), grid.centreY(r)};
            if (!limits.contains(static_cast<std::int32_t>(std::lround(centre.x)),
                                 static_cast<std::int32_t>(std::lround(centre.y)))) {
                continue;
            }
            m.labelPlace = true;
            if (distance[r * columns + c] > best[o]) {
                best[o] = distance[r * columns + c];
                m.label = centre;
            }
        }
    }
    for (std::size_t k = 0; k < measures.size(); ++k) {
        measures[k].clearance = best[k] > 0 ? std::sqrt(best[k]) * grid.cell : 0.0;
    }
    return measures;
}
