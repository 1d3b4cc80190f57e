#include "tools/vellumar-pattern/compile/pieces_from_shapes.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr ColourRecord kWhite{255, 255, 255};
constexpr double kSmallestArea = 1.0;  // square pattern units; below it a subpath has no inside

struct Contour {
    Outline outline;
    Polygon polygon;
    double area = 0;  // signed
    Box box;
    enum class Role { Outer, Hole, Inside } role = Role::Inside;
    int parent = -1;  // the smallest contour of the shape that contains this one
};

Polygon flatten(const std::vector<svg::Segment>& segments) {
    Polygon polygon;
    for (const svg::Segment& s : segments) {
        if (s.straight) {
            polygon.push_back(s.p3);
            continue;
        }
        const int steps = curveStepsFor(s.p0, s.p1, s.p2, s.p3);
        const PointD control[4] = {s.p0, s.p1, s.p2, s.p3};
        for (int i = 1; i <= steps; ++i) {
            polygon.push_back(evaluateBezier(3, control, static_cast<double>(i) / steps));
        }
    }
    return polygon;
}

// Sutherland-Hodgman against the picture's rectangle. The result may run
// along the rectangle's edge where the subject left it; the even-odd fill
// is unaffected.
Polygon clipToRectangle(const Polygon& subject, double halfWidth, double halfHeight) {
    Polygon out = subject;
    const auto clipEdge = [&](auto inside, auto cross) {
        Polygon in = std::move(out);
        out.clear();
        for (std::size_t i = 0; i < in.size(); ++i) {
            const PointD a = in[(i + in.size() - 1) % in.size()], b = in[i];
            if (inside(b)) {
                if (!inside(a)) {
                    out.push_back(cross(a, b));
                }
                out.push_back(b);
            } else if (inside(a)) {
                out.push_back(cross(a, b));
            }
        }
    };
    const auto atX = [](double x) {
        return [x](PointD a, PointD b) { return PointD{x, a.y + (x - a.x) * (b.y - a.y) / (b.x - a.x)}; };
    };
    const auto atY = [](double y) {
        return [y](PointD a, PointD b) { return PointD{a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y), y}; };
    };
    clipEdge([&](PointD p) { return p.x >= -halfWidth; }, atX(-halfWidth));
    clipEdge([&](PointD p) { return p.x <= halfWidth; }, atX(halfWidth));
    clipEdge([&](PointD p) { return p.y >= -halfHeight; }, atY(-halfHeight));
    clipEdge([&](PointD p) { return p.y <= halfHeight; }, atY(halfHeight));
    return out;
}

Outline outlineOf(const std::vector<svg::Segment>& segments) {
    Outline outline;
    outline.start = segments.front().p0;
    for (const svg::Segment& s : segments) {
        outline.spans.push_back({s.straight, s.p1, s.p2, s.p3, 0});
    }
    return outline;
}

Outline outlineOf(const Polygon& polygon) {
    Outline outline;
    outline.start = polygon.front();
    for (std::size_t i = 1; i < polygon.size(); ++i) {
        outline.spans.push_back({true, {}, {}, polygon[i], 0});
    }
    return outline;
}

// Is `inner` inside `outer`? Most of a few of its points decide, so that a
// point touching the other outline does not.
bool containedIn(const Contour& inner, const Contour& outer) {
    if (std::fabs(inner.area) >= std::fabs(outer.area) || !outer.box.overlaps(inner.box)) {
        return false;
    }
    const std::size_t n = inner.polygon.size();
    const std::size_t samples = std::min<std::size_t>(n, 9);
    std::size_t inside = 0;
    for (std::size_t k = 0; k < samples; ++k) {
        inside += insidePolygon(outer.polygon, inner.polygon[k * n / samples]) ? 1 : 0;
    }
    return inside * 2 > samples;
}

std::uint32_t keyOf(const ColourRecord& c) {
    return (static_cast<std::uint32_t>(c.red) << 16) | (static_cast<std::uint32_t>(c.green) << 8) | c.blue;
}

class Builder {
  public:
    Builder(const svg::Picture& picture, const CanvasGrid& grid) : picture_(picture), grid_(grid) {
        sourceSizeOf(picture.width, picture.height, result_.model.sourceWidth, result_.model.sourceHeight);
        const PatternExtent extent = patternExtentOf(result_.model.sourceWidth, result_.model.sourceHeight);
        halfWidth_ = extent.width / 2.0;
        halfHeight_ = extent.height / 2.0;
        toCanvas_ = svg::Affine{extent.width / picture.width,
                                0,
                                0,
                                extent.height / picture.height,
                                -(picture.x + picture.width / 2) * extent.width / picture.width,
                                -(picture.y + picture.height / 2) * extent.height / picture.height};
    }

    ShapePieces build() {
        for (const svg::Shape& shape : picture_.shapes) {
            addShape(shape);
        }
        return std::move(result_);
    }

  private:
    void addShape(const svg::Shape& shape) {
        std::vector<svg::Subpath> subpaths = shape.subpaths;
        svg::transformSubpaths(subpaths, toCanvas_);
        std::vector<Contour> contours;
        bool clipped = false;
        for (const svg::Subpath& s : subpaths) {
            if (s.segments.empty()) {
                continue;
            }
            Contour c;
            c.polygon = flatten(s.segments);
            if (insideCanvas(s)) {
                c.outline = outlineOf(s.segments);
            } else {
                c.polygon = clipToRectangle(c.polygon, halfWidth_, halfHeight_);
                clipped = true;
                if (c.polygon.size() < 3) {
                    continue;
                }
                c.outline = outlineOf(c.polygon);
            }
            c.area = signedArea(c.polygon);
            if (std::fabs(c.area) < kSmallestArea) {
                continue;
            }
            c.box = boxOf(c.polygon);
            contours.push_back(std::move(c));
        }
        if (clipped) {
            note(shape.name + " reaches beyond the picture and was cut at its edge");
        }
        classify(contours, shape.evenOdd);
        const ColourRecord colour{static_cast<std::uint8_t>(std::lround(std::clamp(shape.red, 0.0, 255.0))),
                                  static_cast<std::uint8_t>(std::lround(std::clamp(shape.green, 0.0, 255.0))),
                                  static_cast<std::uint8_t>(std::lround(std::clamp(shape.blue, 0.0, 255.0)))};
        const std::size_t earlier = result_.model.pieces.size();
        for (std::size_t i = 0; i < contours.size(); ++i) {
            if (contours[i].parent < 0 && contours[i].role == Contour::Role::Outer) {
                emitRegion(contours, static_cast<int>(i), colour, earlier);
            }
        }
    }

    bool insideCanvas(const svg::Subpath& s) const {
        const auto in = [&](PointD p) {
            return std::fabs(p.x) <= halfWidth_ + 0.25 && std::fabs(p.y) <= halfHeight_ + 0.25;
        };
        return std::ranges::all_of(
            s.segments, [&](const svg::Segment& g) { return in(g.p0) && in(g.p1) && in(g.p2) && in(g.p3); });
    }

    // Roles by the fill rule, then each boundary's parent among the boundaries.
    static void classify(std::vector<Contour>& contours, bool evenOdd) {
        const std::size_t n = contours.size();
        std::vector<std::vector<int>> containers(n);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                if (i != j && containedIn(contours[i], contours[j])) {
                    containers[i].push_back(static_cast<int>(j));
                }
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            bool filledOutside, filledInside;
            if (evenOdd) {
                filledOutside = containers[i].size() % 2 == 1;
                filledInside = !filledOutside;
            } else {
                int winding = 0;
                for (int j : containers[i]) {
                    winding += contours[j].area > 0 ? 1 : -1;
                }
                filledOutside = winding != 0;
                filledInside = winding + (contours[i].area > 0 ? 1 : -1) != 0;
            }
            contours[i].role = filledInside && !filledOutside   ? Contour::Role::Outer
                               : !filledInside && filledOutside ? Contour::Role::Hole
                                                                : Contour::Role::Inside;
        }
        for (std::size_t i = 0; i < n; ++i) {
            double smallest = 1e300;
            for (int j : containers[i]) {
                if (contours[j].role != Contour::Role::Inside && std::fabs(contours[j].area) < smallest) {
                    smallest = std::fabs(contours[j].area);
                    contours[i].parent = j;
                }
            }
        }
    }

    void emitRegion(const std::vector<Contour>& contours, int outer, const ColourRecord& colour,
                    std::size_t earlier) {
        std::vector<int> holes;
        for (std::size_t i = 0; i < contours.size(); ++i) {
            if (contours[i].parent == outer && contours[i].role == Contour::Role::Hole) {
                holes.push_back(static_cast<int>(i));
            }
        }
        ModelPiece piece;
        piece.colour = colour;
        piece.contours.push_back(contours[outer].outline);
        for (int h : holes) {
            piece.contours.push_back(contours[h].outline);
        }
        addPiece(std::move(piece), contours[outer].polygon);
        for (int h : holes) {
            coverHole(contours[h], earlier);
            for (std::size_t i = 0; i < contours.size(); ++i) {
                if (contours[i].parent == h && contours[i].role == Contour::Role::Outer) {
                    emitRegion(contours, static_cast<int>(i), colour, earlier);
                }
            }
        }
    }

    void coverHole(const Contour& hole, std::size_t earlier) {
        ModelPiece filler;
        filler.colour = colourUnder(hole.polygon, hole.box, earlier);
        filler.contours.push_back(hole.outline);
        addPiece(std::move(filler), hole.polygon);
        for (std::size_t e = 0; e < earlier; ++e) {
            const Box& b = boxes_[e];
            const bool boxInside = b.minX >= hole.box.minX && b.maxX <= hole.box.maxX &&
                                   b.minY >= hole.box.minY && b.maxY <= hole.box.maxY;
            if (boxInside && std::ranges::all_of(result_.outers[e],
                                                 [&](PointD p) { return insidePolygon(hole.polygon, p); })) {
                ModelPiece copy = result_.model.pieces[e];
                const Polygon polygon = result_.outers[e];
                addPiece(std::move(copy), polygon);
            }
        }
    }

    // The colour covering most of the hole among the first `earlier` pieces,
    // as the game draws them (outer contours, later over earlier).
    ColourRecord colourUnder(const Polygon& hole, const Box& box, std::size_t earlier) const {
        CanvasGrid window = grid_;
        const int c0 = grid_.columnOf(box.minX), c1 = grid_.columnOf(box.maxX);
        const int r0 = grid_.rowOf(box.minY), r1 = grid_.rowOf(box.maxY);
        window.left = grid_.left + c0 * grid_.cell;
        window.top = grid_.top + r0 * grid_.cell;
        window.columns = c1 - c0 + 1;
        window.rows = r1 - r0 + 1;
        std::vector<int> owner(static_cast<std::size_t>(window.columns) * window.rows, -1);
        for (std::size_t e = 0; e < earlier; ++e) {
            if (!boxes_[e].overlaps(box)) {
                continue;
            }
            fillPolygons(window, {&result_.outers[e]}, true, [&](int row, int from, int to) {
                std::fill(owner.begin() + row * window.columns + from,
                          owner.begin() + row * window.columns + to, static_cast<int>(e));
            });
        }
        std::map<std::uint32_t, long> cells;
        std::map<std::uint32_t, ColourRecord> colours;
        fillPolygons(window, {&hole}, true, [&](int row, int from, int to) {
            for (int c = from; c < to; ++c) {
                const int o = owner[row * window.columns + c];
                const ColourRecord colour = o < 0 ? kWhite : result_.model.pieces[o].colour;
                ++cells[keyOf(colour)];
                colours[keyOf(colour)] = colour;
            }
        });
        if (cells.empty()) {
            // A hole smaller than a cell: the topmost earlier piece under its first point.
            for (std::size_t e = earlier; e-- > 0;) {
                if (insidePolygon(result_.outers[e], hole.front())) {
                    return result_.model.pieces[e].colour;
                }
            }
            return kWhite;
        }
        const auto most = std::ranges::max_element(cells, {}, [](const auto& kv) { return kv.second; });
        return colours[most->first];
    }

    void addPiece(ModelPiece piece, const Polygon& outer) {
        Box box = boxOf(outer);
        piece.label = {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
        result_.model.pieces.push_back(std::move(piece));
        result_.outers.push_back(outer);
        boxes_.push_back(box);
    }

    void note(const std::string& message) { result_.notes.push_back(message); }

    const svg::Picture& picture_;
    const CanvasGrid& grid_;
    ShapePieces result_;
    std::vector<Box> boxes_;
    double halfWidth_ = 0, halfHeight_ = 0;
    svg::Affine toCanvas_;
};

}  // namespace

void sourceSizeOf(double width, double height, std::int32_t& sourceWidth, std::int32_t& sourceHeight) {
    const double longer = std::max(width, height);
    sourceWidth = std::max(1, static_cast<std::int32_t>(std::lround(16000.0 * width / longer)));
    sourceHeight = std::max(1, static_cast<std::int32_t>(std::lround(16000.0 * height / longer)));
}

ShapePieces piecesFromShapes(const svg::Picture& picture, const CanvasGrid& grid) {
    return Builder(picture, grid).build();
}
