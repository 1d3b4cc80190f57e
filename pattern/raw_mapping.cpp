#include "pattern/raw_mapping.h"

#include <cmath>
#include <limits>

namespace {

template <typename Real>
std::int32_t truncClamped(Real v) {
    if (!(v > static_cast<Real>(std::numeric_limits<std::int32_t>::min()))) {
        return v != v ? 0 : std::numeric_limits<std::int32_t>::min();
    }
    if (!(v < static_cast<Real>(std::numeric_limits<std::int32_t>::max()))) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::int32_t truncToInt(float v) {
    return truncClamped(v);
}

std::int32_t truncToInt(double v) {
    return truncClamped(v);
}

RawGeometry deriveRawGeometry(const PatternHeader& h) {
    RawGeometry g;
    const float ratio = static_cast<float>(h.sourceHeight) / static_cast<float>(h.sourceWidth);
    const float n = static_cast<float>(h.coordinateRange);
    if (h.sourceWidth <= h.sourceHeight) {
        g.scaleY = 16000.0f / n;
        g.scaleX = (16000.0f / ratio) / n;
    } else {
        g.scaleX = 16000.0f / n;
        g.scaleY = (ratio * 16000.0f) / n;
    }
    g.extentWidth = g.scaleX * n;
    g.extentHeight = g.scaleY * n;
    g.minX = -0.5f * g.extentWidth;
    g.maxX = 0.5f * g.extentWidth;
    g.minY = -0.5f * g.extentHeight;
    g.maxY = 0.5f * g.extentHeight;
    g.originX = static_cast<float>(truncToInt(g.minX));
    g.originY = static_cast<float>(truncToInt(g.minY));
    return g;
}

POINT mapCurvePoint(const RawGeometry& g, double x, double y) {
    return {truncToInt(std::floor(static_cast<double>(g.scaleX) * x + static_cast<double>(g.originX) + 0.5)),
            truncToInt(std::floor(static_cast<double>(g.scaleY) * y + static_cast<double>(g.originY) + 0.5))};
}

POINT mapPolylinePoint(const RawGeometry& g, std::uint16_t x, std::uint16_t y) {
    return {truncToInt(static_cast<float>(x) * g.scaleX + g.originX),
            truncToInt(static_cast<float>(16000 - y) * g.scaleY + g.originY)};
}

POINT mapLabel(const RawGeometry& g, std::uint16_t x, std::uint16_t y) {
    return {truncToInt(static_cast<float>(x) * g.scaleX + g.originX),
            -truncToInt(static_cast<float>(y) * g.scaleY + g.originY)};
}
