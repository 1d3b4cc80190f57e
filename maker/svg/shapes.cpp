#include "maker/svg/shapes.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "maker/svg/number_scanner.h"
#include "maker/svg/path_parser.h"

namespace svg {

namespace {

std::optional<double> length(const pugi::xml_node& e, const char* name) {
    const pugi::xml_attribute a = e.attribute(name);
    return a ? parseLength(a.value()) : std::nullopt;
}

double lengthOr(const pugi::xml_node& e, const char* name, double otherwise) {
    return length(e, name).value_or(otherwise);
}

// The closed outline of the ellipse, as four quarter arcs.
Subpath ellipseOutline(double cx, double cy, double rx, double ry) {
    Subpath s;
    const PointD east{cx + rx, cy}, south{cx, cy + ry}, west{cx - rx, cy}, north{cx, cy - ry};
    appendArc(s.segments, east, rx, ry, 0, false, true, south);
    appendArc(s.segments, south, rx, ry, 0, false, true, west);
    appendArc(s.segments, west, rx, ry, 0, false, true, north);
    appendArc(s.segments, north, rx, ry, 0, false, true, east);
    return s;
}

std::vector<Subpath> rectOutline(const pugi::xml_node& e) {
    const double x = lengthOr(e, "x", 0), y = lengthOr(e, "y", 0);
    const double w = lengthOr(e, "width", 0), h = lengthOr(e, "height", 0);
    if (!(w > 0) || !(h > 0)) {
        return {};
    }
    // A missing or negative radius takes the other's value; both at most half the side.
    auto rx = length(e, "rx"), ry = length(e, "ry");
    if (rx && *rx < 0) {
        rx.reset();
    }
    if (ry && *ry < 0) {
        ry.reset();
    }
    double rX = rx.value_or(ry.value_or(0)), rY = ry.value_or(rx.value_or(0));
    rX = std::min(rX, w / 2);
    rY = std::min(rY, h / 2);
    Subpath s;
    if (rX <= 0 || rY <= 0) {
        const PointD corners[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
        for (int i = 0; i < 4; ++i) {
            s.segments.push_back(lineSegment(corners[i], corners[(i + 1) % 4]));
        }
        return {s};
    }
    const auto line = [&](PointD a, PointD b) {
        if (a.x != b.x || a.y != b.y) {
            s.segments.push_back(lineSegment(a, b));
        }
    };
    line({x + rX, y}, {x + w - rX, y});
    appendArc(s.segments, {x + w - rX, y}, rX, rY, 0, false, true, {x + w, y + rY});
    line({x + w, y + rY}, {x + w, y + h - rY});
    appendArc(s.segments, {x + w, y + h - rY}, rX, rY, 0, false, true, {x + w - rX, y + h});
    line({x + w - rX, y + h}, {x + rX, y + h});
    appendArc(s.segments, {x + rX, y + h}, rX, rY, 0, false, true, {x, y + h - rY});
    line({x, y + h - rY}, {x, y + rY});
    appendArc(s.segments, {x, y + rY}, rX, rY, 0, false, true, {x + rX, y});
    return {s};
}

std::vector<Subpath> pointsOutline(const pugi::xml_node& e) {
    NumberScanner in(e.attribute("points").value());
    std::vector<PointD> points;
    while (true) {
        const auto x = in.number();
        const auto y = x ? in.number() : std::nullopt;
        if (!y) {
            break;
        }
        points.push_back({*x, *y});
    }
    if (points.size() < 2) {
        return {};
    }
    Subpath s;
    for (std::size_t i = 1; i < points.size(); ++i) {
        s.segments.push_back(lineSegment(points[i - 1], points[i]));
    }
    s.segments.push_back(lineSegment(points.back(), points.front()));  // filled as closed, also for polyline
    return {s};
}

}  // namespace

std::vector<Subpath> shapeOutline(const pugi::xml_node& e) {
    std::string_view name = e.name();
    if (name.starts_with("svg:")) {  // SVG written with its namespace's prefix
        name.remove_prefix(4);
    }
    if (name == "path") {
        return parsePathData(e.attribute("d").value());
    }
    if (name == "rect") {
        return rectOutline(e);
    }
    if (name == "circle") {
        const double r = lengthOr(e, "r", 0);
        if (!(r > 0)) {
            return {};
        }
        return {ellipseOutline(lengthOr(e, "cx", 0), lengthOr(e, "cy", 0), r, r)};
    }
    if (name == "ellipse") {
        const auto rx = length(e, "rx"), ry = length(e, "ry");
        const double rX = rx.value_or(ry.value_or(0)), rY = ry.value_or(rx.value_or(0));
        if (!(rX > 0) || !(rY > 0)) {
            return {};
        }
        return {ellipseOutline(lengthOr(e, "cx", 0), lengthOr(e, "cy", 0), rX, rY)};
    }
    if (name == "polygon" || name == "polyline") {
        return pointsOutline(e);
    }
    return {};
}

}  // namespace svg
