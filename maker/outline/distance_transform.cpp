#include "maker/outline/distance_transform.h"

#include <algorithm>
#include <limits>

namespace {

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

// The lower envelope along every row (rows are contiguous).
void transformRows(std::vector<double>& grid, int columns, int rows) {
    std::vector<double> f(columns), d(columns), z(columns + 1);
    std::vector<int> v(columns);
    for (int r = 0; r < rows; ++r) {
        const auto row = grid.begin() + static_cast<std::ptrdiff_t>(r) * columns;
        std::copy_n(row, columns, f.begin());
        transform1D(f, d, v, z);
        std::copy_n(d.begin(), columns, row);
    }
}

}  // namespace

void squaredDistanceTransform(std::vector<double>& grid, int columns, int rows) {
    if (columns <= 0 || rows <= 0) {
        return;
    }
    std::vector<double> f(rows), d(rows), z(rows + 1);
    std::vector<int> v(rows);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            f[r] = grid[static_cast<std::size_t>(r) * columns + c];
        }
        transform1D(f, d, v, z);
        for (int r = 0; r < rows; ++r) {
            grid[static_cast<std::size_t>(r) * columns + c] = d[r];
        }
    }
    transformRows(grid, columns, rows);
}

std::vector<double> squaredDistanceToFeatures(const std::vector<std::uint8_t>& feature, int columns,
                                              int rows) {
    if (columns <= 0 || rows <= 0) {
        return {};
    }
    // Cells to the nearest feature in the same column, above and then below.
    constexpr std::int32_t kNone = 1 << 29;
    std::vector<std::int32_t> along(static_cast<std::size_t>(columns) * rows);
    for (int c = 0; c < columns; ++c) {
        along[c] = feature[c] ? 0 : kNone;
    }
    for (int r = 1; r < rows; ++r) {
        const std::size_t at = static_cast<std::size_t>(r) * columns;
        for (int c = 0; c < columns; ++c) {
            along[at + c] = feature[at + c] ? 0 : std::min(kNone, along[at + c - columns] + 1);
        }
    }
    for (int r = rows - 2; r >= 0; --r) {
        const std::size_t at = static_cast<std::size_t>(r) * columns;
        for (int c = 0; c < columns; ++c) {
            along[at + c] = std::min(along[at + c], along[at + c + columns] + 1);
        }
    }
    std::vector<double> grid(along.size());
    for (std::size_t i = 0; i < along.size(); ++i) {
        grid[i] = along[i] >= kNone ? kFarSquared : static_cast<double>(along[i]) * along[i];
    }
    transformRows(grid, columns, rows);
    return grid;
}

std::vector<double> distanceTransform(const std::vector<bool>& feature, int columns, int rows) {
    return squaredDistanceToFeatures(std::vector<std::uint8_t>(feature.begin(), feature.end()), columns,
                                     rows);
}
