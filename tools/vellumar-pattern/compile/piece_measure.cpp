#include "tools/vellumar-pattern/compile/piece_measure.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kFar = 1e20;

// One row or column: d[q] = min over p of (q - p)^2 + f[p].
void transform1D(const std::vector<double>& f, std::vector<double>& d, std::vector<int>& v,
                 std::vector<double>& z) {
    const int n = static_cast<int>(f.size());
    int k = 0;
    v[0] = 0;
    z[0] = -std::numeric_limits<double>::infinity();
    z[1] = std::numeric_limits<double>::infinity();
    for (int q = 1; q < n; ++q) {
        // z[0] is minus infinity, so the search stops at the first parabola at the latest.
        double s = 0;
        while (true) {
            s = ((f[q] + double(q) * q) - (f[v[k]] + double(v[k]) * v[k])) / (2.0 * q - 2.0 * v[k]);
            if (s > z[k]) {
                break;
            }
            --k;
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = std::numeric_limits<double>::infinity();
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q) {
            ++k;
        }
        d[q] = (q - v[k]) * double(q - v[k]) + f[v[k]];
    }
}

}  // namespace

std::vector<double> distanceTransform(const std::vector<bool>& feature, int columns, int rows) {
    std::vector<double> grid(feature.size());
    for (std::size_t i = 0; i < feature.size(); ++i) {
        grid[i] = feature[i] ? 0.0 : kFar;
    }
    const int longest = std::max(columns, rows);
    std::vector<double> f(longest), d(longest), z(longest + 1);
    std::vector<int> v(longest);
    f.resize(rows);
    d.resize(rows);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            f[r] = grid[r * columns + c];
        }
        transform1D(f, d, v, z);
        for (int r = 0; r < rows; ++r) {
            grid[r * columns + c] = d[r];
        }
    }
    f.resize(columns);
    d.resize(columns);
    for (int r = 0; r < rows; ++r) {
        std::copy_n(grid.begin() + r * columns, columns, f.begin());
        transform1D(f, d, v, z);
        std::copy_n(d.begin(), columns, grid.begin() + r * columns);
    }
    return grid;
}

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
