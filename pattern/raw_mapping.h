// The mapping from a file's raw coordinates to pattern units, in one place so
// that the reader and the writer (which inverts it) cannot drift apart.
#pragma once

#include <cstdint>
#include <span>

#include "pattern/bezier.h"
#include "pattern/pattern_file.h"
#include "platform/base/types.h"

// Float to integer, truncating toward zero; values no file can produce
// (NaN, out of range) are clamped rather than left undefined.
std::int32_t truncToInt(float v);
std::int32_t truncToInt(double v);

// Scale and extent derived from the header, in single precision.
struct RawGeometry {
    float scaleX = 0, scaleY = 0;
    float extentWidth = 0, extentHeight = 0;
    float minX = 0, maxX = 0, minY = 0, maxY = 0;
    float originX = 0, originY = 0;
};

RawGeometry deriveRawGeometry(const PatternHeader& header);

// Raw to pattern units. Curve and polyline points come back with y not yet
// negated (the gathering compares them that way); labels come back final.
POINT mapCurvePoint(const RawGeometry& g, double x, double y);
// The same for a curve's samples at once, each to the same point.
void mapCurvePoints(const RawGeometry& g, std::span<const PointD> samples, POINT* out);
POINT mapPolylinePoint(const RawGeometry& g, std::uint16_t x, std::uint16_t y);
POINT mapLabel(const RawGeometry& g, std::uint16_t x, std::uint16_t y);
