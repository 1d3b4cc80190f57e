#include "maker/input/svg_picture.h"

#include <algorithm>
#include <cmath>

#include "maker/input/scanline_fill.h"

namespace {

// Flattened finely enough that no pixel centre is misjudged by more than a
// twentieth of a pixel.
constexpr double kFlatness = 0.05;
constexpr int kMaxSteps = 512;
// Hostile coordinates are clamped well outside any picture, where they
// change no pixel and cannot overflow.
constexpr double kFarAway = 1e9;

struct ToPixels {
    double originX, originY, scale;
    PointD operator()(PointD p) const {
        return {std::clamp((p.x - originX) * scale, -kFarAway, kFarAway),
                std::clamp((p.y - originY) * scale, -kFarAway, kFarAway)};
    }
};

int stepsFor(const PointD (&c)[4]) {
    auto secondDifference = [](PointD a, PointD b, PointD d) {
        return std::hypot(a.x - 2 * b.x + d.x, a.y - 2 * b.y + d.y);
    };
    const double d = std::max(secondDifference(c[0], c[1], c[2]), secondDifference(c[1], c[2], c[3]));
    const double steps = std::ceil(std::sqrt(0.75 * d / kFlatness));
    return std::isfinite(steps) ? static_cast<int>(std::clamp(steps, 1.0, double{kMaxSteps})) : kMaxSteps;
}

std::vector<PointD> polygonOf(const svg::Subpath& subpath, const ToPixels& toPixels) {
    std::vector<PointD> polygon;
    PointD samples[kMaxSteps + 1];
    for (const svg::Segment& s : subpath.segments) {
        const PointD c[4] = {toPixels(s.p0), toPixels(s.p1), toPixels(s.p2), toPixels(s.p3)};
        if (s.straight) {
            polygon.push_back(c[0]);
            continue;
        }
        const int count = flattenCurve(3, stepsFor(c), c, samples);
        polygon.insert(polygon.end(), samples, samples + count - 1);  // the end starts the next segment
    }
    if (!subpath.segments.empty()) {
        polygon.push_back(toPixels(subpath.segments.back().p3));
    }
    return polygon;
}

std::uint32_t flatColour(const svg::Shape& shape) {
    auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(std::isfinite(v) ? v : 0.0, 0.0, 255.0)));
    };
    return (channel(shape.red) << 16) | (channel(shape.green) << 8) | channel(shape.blue);
}

}  // namespace

Picture drawFlat(const svg::Picture& picture, int longSide, std::uint32_t background) {
    const double scale = longSide / std::max(picture.width, picture.height);
    auto side = [&](double s) {
        const double pixels = s * scale;
        return std::isfinite(pixels) ? std::clamp(static_cast<int>(std::lround(pixels)), 1, longSide) : 1;
    };
    Raster raster;
    raster.width = side(picture.width);
    raster.height = side(picture.height);
    raster.pixels.assign(static_cast<std::size_t>(raster.width) * raster.height, background);
    const ToPixels toPixels{picture.x, picture.y, scale};
    std::vector<std::vector<PointD>> polygons;
    for (const svg::Shape& shape : picture.shapes) {
        polygons.clear();
        for (const svg::Subpath& subpath : shape.subpaths) {
            polygons.push_back(polygonOf(subpath, toPixels));
        }
        fillPolygons(raster, polygons, shape.evenOdd, flatColour(shape));
    }
    Picture flat;
    flat.width = raster.width;
    flat.height = raster.height;
    flat.pixels = std::move(raster.pixels);
    flat.flat = true;
    return flat;
}
