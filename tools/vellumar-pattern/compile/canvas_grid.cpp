#include "tools/vellumar-pattern/compile/canvas_grid.h"

#include <algorithm>
#include <cmath>

int CanvasGrid::columnOf(double x) const {
    return std::clamp(static_cast<int>(std::floor((x - left) / cell)), 0, columns - 1);
}

int CanvasGrid::rowOf(double y) const {
    return std::clamp(static_cast<int>(std::floor((y - top) / cell)), 0, rows - 1);
}

CanvasGrid gridOver(double width, double height, double cell) {
    CanvasGrid grid;
    grid.cell = cell;
    grid.columns = std::max(1, static_cast<int>(std::ceil(width / cell)));
    grid.rows = std::max(1, static_cast<int>(std::ceil(height / cell)));
    grid.left = -grid.columns * cell / 2;
    grid.top = -grid.rows * cell / 2;
    return grid;
}

void fillPolygons(const CanvasGrid& grid, const std::vector<const Polygon*>& polygons, bool evenOdd,
                  const std::function<void(int row, int from, int to)>& span) {
    struct Edge {
        PointD a, b;
        int direction;
    };
    std::vector<Edge> edges;
    Box box;
    for (const Polygon* polygon : polygons) {
        const std::size_t n = polygon->size();
        for (std::size_t i = 0; i < n; ++i) {
            const PointD a = (*polygon)[i], b = (*polygon)[(i + 1) % n];
            box.add(a);
            if (a.y != b.y) {
                edges.push_back(a.y < b.y ? Edge{a, b, 1} : Edge{b, a, -1});
            }
        }
    }
    if (edges.empty()) {
        return;
    }
    const int firstRow = std::max(0, static_cast<int>(std::floor((box.minY - grid.top) / grid.cell - 0.5)));
    const int lastRow =
        std::min(grid.rows - 1, static_cast<int>(std::ceil((box.maxY - grid.top) / grid.cell)));
    std::vector<std::pair<double, int>> crossings;
    for (int row = firstRow; row <= lastRow; ++row) {
        const double y = grid.centreY(row);
        crossings.clear();
        for (const Edge& e : edges) {
            if (e.a.y <= y && y < e.b.y) {
                crossings.emplace_back(e.a.x + (y - e.a.y) * (e.b.x - e.a.x) / (e.b.y - e.a.y), e.direction);
            }
        }
        std::sort(crossings.begin(), crossings.end());
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += evenOdd ? 1 : crossings[i].second;
            const bool inside = evenOdd ? (winding % 2) != 0 : winding != 0;
            if (!inside) {
                continue;
            }
            const auto column = [&](double x) {
                return std::clamp(static_cast<int>(std::ceil((x - grid.left) / grid.cell - 0.5)), 0,
                                  grid.columns);
            };
            const int from = column(crossings[i].first), to = column(crossings[i + 1].first);
            if (from < to) {
                span(row, from, to);
            }
        }
    }
}

bool insidePolygon(const Polygon& polygon, PointD p) {
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const PointD a = polygon[i], b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

double signedArea(const Polygon& polygon) {
    double twice = 0;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PointD a = polygon[i], b = polygon[(i + 1) % n];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2;
}

void Box::add(PointD p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

Box boxOf(const Polygon& polygon) {
    Box box;
    for (const PointD& p : polygon) {
        box.add(p);
    }
    return box;
}
