#include "pattern/raw_encoding.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "pattern/pattern.h"

namespace {

// The raw value whose mapped value lies nearest `target`, a whole number. The
// mappings are monotonic with a slope near `slope`, so a few neighbours of the
// linear estimate hold the answer. Returns nothing when even the best misses
// by more than a unit: the point lies outside what the file can express.
std::optional<std::uint16_t> nearestRaw(double target, double estimate,
                                        const std::function<std::int32_t(std::uint16_t)>& mapped) {
    const double centre = std::clamp(std::floor(estimate + 0.5), 0.0, 65535.0);
    std::optional<std::uint16_t> best;
    double bestMiss = std::numeric_limits<double>::infinity();
    for (int d = -3; d <= 3; ++d) {
        const double k = centre + d;
        if (k < 0 || k > 65535) {
            continue;
        }
        const auto raw = static_cast<std::uint16_t>(k);
        const double miss = std::fabs(mapped(raw) - target);
        if (miss < bestMiss) {
            bestMiss = miss;
            best = raw;
        }
    }
    return bestMiss <= 1.0 ? best : std::nullopt;
}

std::optional<RawPoint> bothOrNone(std::optional<std::uint16_t> x, std::optional<std::uint16_t> y) {
    if (!x || !y) {
        return std::nullopt;
    }
    return RawPoint{*x, *y};
}

}  // namespace

RawEncoder::RawEncoder(std::int32_t sourceWidth, std::int32_t sourceHeight, GeometryVariant variant) {
    header_.sourceWidth = sourceWidth;
    header_.sourceHeight = sourceHeight;
    header_.polylineFlag = variant == GeometryVariant::Polylines ? 1 : 0;
    header_.coordinateRange = kWrittenRange;
    g_ = deriveRawGeometry(header_);
}

// The point rounded to whole units (halves upwards, on screen y), or nothing
// when it lies outside the picture by more than a unit.
std::optional<PointD> RawEncoder::roundedInside(PointD p) const {
    const PointD r{std::floor(p.x + 0.5), std::floor(p.y + 0.5)};
    const bool inside = r.x >= g_.minX - 1 && r.x <= g_.maxX + 1 && r.y >= g_.minY - 1 && r.y <= g_.maxY + 1;
    return inside ? std::optional<PointD>(r) : std::nullopt;
}

std::optional<RawPoint> RawEncoder::point(PointD original) const {
    const auto p = roundedInside(original);
    if (!p) {
        return std::nullopt;
    }
    const double estimateX = (p->x - g_.originX) / g_.scaleX;
    if (polyline()) {
        return bothOrNone(
            nearestRaw(p->x, estimateX, [&](std::uint16_t r) { return mapPolylinePoint(g_, r, 0).x; }),
            nearestRaw(-p->y, 16000.0 - (-p->y - g_.originY) / g_.scaleY,
                       [&](std::uint16_t r) { return mapPolylinePoint(g_, 0, r).y; }));
    }
    return bothOrNone(nearestRaw(p->x, estimateX, [&](std::uint16_t r) { return mapCurvePoint(g_, r, 0).x; }),
                      nearestRaw(-p->y, (-p->y - g_.originY) / g_.scaleY,
                                 [&](std::uint16_t r) { return mapCurvePoint(g_, 0, r).y; }));
}

std::optional<RawPoint> RawEncoder::label(PointD original) const {
    const auto p = roundedInside(original);
    if (!p) {
        return std::nullopt;
    }
    return bothOrNone(nearestRaw(p->x, (p->x - g_.originX) / g_.scaleX,
                                 [&](std::uint16_t r) { return mapLabel(g_, r, 0).x; }),
                      nearestRaw(p->y, (-p->y - g_.originY) / g_.scaleY,
                                 [&](std::uint16_t r) { return mapLabel(g_, 0, r).y; }));
}

bool RawEncoder::flattensAlikeBothWays(const CurveRecord& c) const {
    PointD forwards[4], backwards[4];
    for (int k = 0; k < 4; ++k) {
        forwards[k] = {static_cast<double>(c.x[k]), static_cast<double>(c.y[k])};
        backwards[3 - k] = forwards[k];
    }
    PointD there[256], back[256];
    const int count = flattenCurve(3, c.steps, forwards, there);
    flattenCurve(3, c.steps, backwards, back);
    for (int i = 0; i < count; ++i) {
        const POINT a = mapCurvePoint(g_, there[i].x, there[i].y);
        const POINT b = mapCurvePoint(g_, back[count - 1 - i].x, back[count - 1 - i].y);
        if (!(a == b)) {
            return false;
        }
    }
    return true;
}

std::optional<CurveRecord> reversibleCurve(const RawEncoder& encoder, CurveRecord curve) {
    // More steps first (the curve keeps its shape), then an inner control
    // point a unit aside.
    const CurveRecord original = curve;
    for (int extra = 0; extra <= 3 && original.steps + extra <= 255; ++extra) {
        curve.steps = static_cast<std::uint8_t>(original.steps + extra);
        if (encoder.flattensAlikeBothWays(curve)) {
            return curve;
        }
    }
    curve = original;
    for (const int k : {1, 2}) {
        for (const int d : {1, -1}) {
            curve = original;
            if ((d < 0 && curve.x[k] == 0) || (d > 0 && curve.x[k] == 65535)) {
                continue;
            }
            curve.x[k] = static_cast<std::uint16_t>(curve.x[k] + d);
            if (encoder.flattensAlikeBothWays(curve)) {
                return curve;
            }
        }
    }
    return std::nullopt;
}

std::string pictureFault(std::int32_t sourceWidth, std::int32_t sourceHeight, std::size_t pieces) {
    if (sourceWidth <= 0 || sourceHeight <= 0) {
        return "the picture's width and height must be positive";
    }
    if (pieces > kMaxWrittenPieces) {
        return "the picture has " + std::to_string(pieces) + " pieces; a pattern holds at most " +
               std::to_string(kMaxWrittenPieces);
    }
    return {};
}

std::string pieceFault(const std::string& name, std::size_t contours, long long gathered) {
    if (contours > static_cast<std::size_t>(kMaxContoursPerPiece)) {
        return name + " has " + std::to_string(contours) + " contours (" + std::to_string(contours - 1) +
               " holes); a piece holds at most " + std::to_string(kMaxContoursPerPiece);
    }
    if (gathered > kMaxGatheredPoints) {
        return name + " gathers " + std::to_string(gathered) +
               " points along its outline; a piece holds at most " + std::to_string(kMaxGatheredPoints);
    }
    return {};
}

PatternFileBuilder::PatternFileBuilder(std::int32_t sourceWidth, std::int32_t sourceHeight,
                                       GeometryVariant variant, std::string& error)
    : encoder_(sourceWidth, sourceHeight, variant), error_(error) {
    file_.header = encoder_.header();
}

std::nullopt_t PatternFileBuilder::fail(std::string why) {
    error_ = std::move(why);
    return std::nullopt;
}

bool PatternFileBuilder::finishPiece(const std::string& name, std::size_t contours, long long gathered,
                                     const ColourRecord& colour, PointD label, std::size_t firstContour) {
    if (std::string fault = pieceFault(name, contours, gathered); !fault.empty()) {
        return fail(std::move(fault)), false;
    }
    if (file_.contours.size() > kMaxTableSize) {
        return fail("the pattern needs more than " + std::to_string(kMaxTableSize) + " contours"), false;
    }
    const auto index = colourIndexIn(file_.colours, colour);
    if (!index) {
        return fail("the picture uses more than " + std::to_string(kMaxColours) + " colours"), false;
    }
    const auto raw = encoder_.label(label);
    if (!raw) {
        return fail(name + ": its label lies outside the picture"), false;
    }
    file_.pieces.push_back({static_cast<std::uint16_t>(firstContour),
                            static_cast<std::uint16_t>(file_.contours.size() - 1), *index, raw->x, raw->y});
    return true;
}

std::optional<std::uint16_t> colourIndexIn(std::vector<ColourRecord>& table, const ColourRecord& c) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ColourRecord& o = table[i];
        if (o.red == c.red && o.green == c.green && o.blue == c.blue) {
            return static_cast<std::uint16_t>(i);
        }
    }
    if (table.size() >= static_cast<std::size_t>(kMaxColours)) {
        return std::nullopt;
    }
    table.push_back(c);
    return static_cast<std::uint16_t>(table.size() - 1);
}

SpanCurve spanCurve(PointD from, const OutlineSpan& span) {
    const PointD to = span.end;
    if (span.straight) {
        return {{from,
                 {from.x + (to.x - from.x) / 3.0, from.y + (to.y - from.y) / 3.0},
                 {from.x + 2.0 * (to.x - from.x) / 3.0, from.y + 2.0 * (to.y - from.y) / 3.0},
                 to},
                1};
    }
    return {{from, span.control1, span.control2, to},
            span.steps > 0 ? span.steps : curveStepsFor(from, span.control1, span.control2, to)};
}

void appendSpanPoints(PointD from, const OutlineSpan& span, std::vector<PointD>& out) {
    if (span.straight) {
        out.push_back(span.end);
        return;
    }
    const SpanCurve curve = spanCurve(from, span);
    std::vector<PointD> samples(static_cast<std::size_t>(curve.steps) + 1);
    flattenCurve(3, curve.steps, curve.control, samples);
    out.insert(out.end(), samples.begin() + 1, samples.end());
}

std::optional<CurveRecord> curveRecordOf(const RawEncoder& encoder, PointD from, const OutlineSpan& span,
                                         const std::string& name, std::string& error) {
    const SpanCurve curve = spanCurve(from, span);
    if (curve.steps > 255) {
        error =
            name + ": a curve asks for " + std::to_string(curve.steps) + " steps; a curve holds at most 255";
        return std::nullopt;
    }
    CurveRecord record;
    for (int k = 0; k < 4; ++k) {
        const auto raw = encoder.point(curve.control[k]);
        if (!raw) {
            error = pointOutsideMessage(name, curve.control[k]);
            return std::nullopt;
        }
        record.x[k] = raw->x;
        record.y[k] = raw->y;
    }
    record.steps = static_cast<std::uint8_t>(curve.steps);
    return record;
}

bool isPointCurve(const CurveRecord& c) {
    return c.x[0] == c.x[3] && c.y[0] == c.y[3] && c.x[1] == c.x[0] && c.y[1] == c.y[0] && c.x[2] == c.x[0] &&
           c.y[2] == c.y[0];
}

std::string pointOutsideMessage(const std::string& name, PointD p) {
    return name + ": the point (" + std::to_string(p.x) + ", " + std::to_string(p.y) +
           ") lies outside the picture";
}
