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

namespace {

// A sample's two coordinates side by side, so that both are mapped by the
// same vector instructions, and the two integers of its point.
using DoublePair = double __attribute__((vector_size(16)));
using IntPair = std::int32_t __attribute__((vector_size(8)));

}  // namespace

void mapCurvePoints(const RawGeometry& g, std::span<const PointD> samples, POINT* out) {
    // The values before the floor, in the order mapCurvePoint adds them.
    const DoublePair scale = {g.scaleX, g.scaleY}, origin = {g.originX, g.originY}, half = {0.5, 0.5};
    DoublePair values[256];
    bool inRange = samples.size() <= 256;
    for (std::size_t i = 0; inRange && i < samples.size(); ++i) {
        const DoublePair p = {samples[i].x, samples[i].y};
        values[i] = scale * p + origin + half;
        // NaN is out of range too.
        inRange &= (values[i][0] > -2.0e9) & (values[i][0] < 2.0e9) & (values[i][1] > -2.0e9) &
                   (values[i][1] < 2.0e9);
    }
    if (!inRange) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            out[i] = mapCurvePoint(g, samples[i].x, samples[i].y);
        }
        return;
    }
    for (std::size_t i = 0; i < samples.size(); ++i) {
        // floor as an integer: truncation rounds a negative fraction up.
        const IntPair truncated = __builtin_convertvector(values[i], IntPair);
        const IntPair above =
            __builtin_convertvector(__builtin_convertvector(truncated, DoublePair) > values[i], IntPair);
        const IntPair floored = truncated + above;  // true is -1
        out[i] = {floored[0], floored[1]};
    }
}

POINT mapPolylinePoint(const RawGeometry& g, std::uint16_t x, std::uint16_t y) {
    return {truncToInt(static_cast<float>(x) * g.scaleX + g.originX),
            truncToInt(static_cast<float>(16000 - y) * g.scaleY + g.originY)};
}

POINT mapLabel(const RawGeometry& g, std::uint16_t x, std::uint16_t y) {
    return {truncToInt(static_cast<float>(x) * g.scaleX + g.originX),
            -truncToInt(static_cast<float>(y) * g.scaleY + g.originY)};
}
