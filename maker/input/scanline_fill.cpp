#include "maker/input/scanline_fill.h"

#include <algorithm>
#include <cmath>

namespace {

struct Edge {
    double x0, y0, x1, y1;  // y0 < y1
    int direction;          // +1 downwards as drawn, -1 upwards
};

struct Crossing {
    double x;
    int direction;
};

std::vector<Edge> edgesOf(const std::vector<std::vector<PointD>>& polygons) {
    std::vector<Edge> edges;
    for (const std::vector<PointD>& polygon : polygons) {
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const PointD a = polygon[i];
            const PointD b = polygon[(i + 1) % polygon.size()];
            if (a.y == b.y || !std::isfinite(a.x + a.y + b.x + b.y)) {
                continue;
            }
            edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
        }
    }
    std::ranges::sort(edges, [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
    return edges;
}

// Pixels whose centres lie in [from, to) on one row.
void fillSpan(Raster& raster, int row, double from, double to, std::uint32_t colour) {
    const double limit = raster.width + 1.0;
    const int first = static_cast<int>(std::ceil(std::clamp(from, -1.0, limit) - 0.5));
    const int end = static_cast<int>(std::ceil(std::clamp(to, -1.0, limit) - 0.5));
    std::uint32_t* pixels = raster.pixels.data() + static_cast<std::size_t>(row) * raster.width;
    for (int x = std::max(first, 0); x < std::min(end, raster.width); ++x) {
        pixels[x] = colour;
    }
}

}  // namespace

void fillPolygons(Raster& raster, const std::vector<std::vector<PointD>>& polygons, bool evenOdd,
                  std::uint32_t colour) {
    const std::vector<Edge> edges = edgesOf(polygons);
    if (edges.empty()) {
        return;
    }
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;
    const double firstCentre = std::max(0.0, std::ceil(edges.front().y0 - 0.5));
    for (int row = static_cast<int>(std::min<double>(firstCentre, raster.height)); row < raster.height;
         ++row) {
        const double y = row + 0.5;
        while (next < edges.size() && edges[next].y0 <= y) {
            active.push_back(&edges[next++]);
        }
        std::erase_if(active, [y](const Edge* e) { return e->y1 <= y; });
        if (active.empty() && next == edges.size()) {
            break;
        }
        crossings.clear();
        for (const Edge* e : active) {
            const double t = (y - e->y0) / (e->y1 - e->y0);
            crossings.push_back({e->x0 + t * (e->x1 - e->x0), e->direction});
        }
        std::ranges::sort(crossings, [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            if (evenOdd ? (i % 2 == 0) : winding != 0) {
                fillSpan(raster, row, crossings[i].x, crossings[i + 1].x, colour);
            }
        }
    }
}
