#include "pattern/pattern_writer.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "pattern/pattern.h"
#include "pattern/raw_mapping.h"

namespace {

constexpr std::int32_t kRange = 16000;
constexpr std::size_t kMaxTableSize = 65535;  // counts are u16
constexpr std::size_t kMaxPieces = 32767;     // the piece count is i16

// The raw value whose mapped value lies nearest `target`, a whole number. The mappings are
// monotonic with a slope near `slope`, so a few neighbours of the linear
// estimate hold the answer. Returns nothing when even the best misses by
// more than a unit: the point lies outside what the file can express.
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

struct RawPoint {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    friend bool operator==(const RawPoint&, const RawPoint&) = default;
};

class Writer {
  public:
    Writer(const PatternModel& model, GeometryVariant variant, std::string& error)
        : model_(model), polyline_(variant == GeometryVariant::Polylines), error_(error) {
        file_.header.sourceWidth = model.sourceWidth;
        file_.header.sourceHeight = model.sourceHeight;
        file_.header.polylineFlag = polyline_ ? 1 : 0;
        file_.header.coordinateRange = kRange;
        g_ = deriveRawGeometry(file_.header);
    }

    std::optional<PatternFile> write() {
        if (model_.sourceWidth <= 0 || model_.sourceHeight <= 0) {
            return fail("the picture's width and height must be positive");
        }
        if (model_.pieces.size() > kMaxPieces) {
            return fail("the model has " + std::to_string(model_.pieces.size()) +
                        " pieces; a pattern holds at most " + std::to_string(kMaxPieces));
        }
        for (std::size_t k = 0; k < model_.pieces.size(); ++k) {
            if (!writePiece(k)) {
                return std::nullopt;
            }
        }
        return file_;
    }

  private:
    std::nullopt_t fail(std::string why) {
        error_ = std::move(why);
        return std::nullopt;
    }

    bool writePiece(std::size_t k) {
        const ModelPiece& piece = model_.pieces[k];
        const std::string name = "piece " + std::to_string(k);
        if (piece.contours.empty()) {
            return fail(name + " has no outline"), false;
        }
        if (piece.contours.size() > static_cast<std::size_t>(kMaxContoursPerPiece)) {
            return fail(name + " has " + std::to_string(piece.contours.size()) +
                        " contours; a piece holds at most " + std::to_string(kMaxContoursPerPiece)),
                   false;
        }
        const std::size_t firstContour = file_.contours.size();
        long long gathered = 0;
        for (std::size_t j = 0; j < piece.contours.size(); ++j) {
            const std::size_t before = file_.contours.size();
            if (!writeContour(piece.contours[j], name, gathered)) {
                return false;
            }
            if (j == 0 && file_.contours.size() == before) {
                return fail(name + ": its outer contour has fewer than three distinct points"), false;
            }
        }
        if (gathered > kMaxGatheredPoints) {
            return fail(name + " gathers " + std::to_string(gathered) + " points; a piece holds at most " +
                        std::to_string(kMaxGatheredPoints)),
                   false;
        }
        if (file_.contours.size() > kMaxTableSize) {
            return fail("the pattern needs more than " + std::to_string(kMaxTableSize) + " contours"), false;
        }
        const auto colour = colourIndex(piece.colour);
        if (!colour) {
            return fail("the model uses more than " + std::to_string(kMaxColours) + " colours"), false;
        }
        const PointD label = roundedInside(piece.label);
        if (std::isnan(label.x)) {
            return fail(name + ": its label lies outside the picture"), false;
        }
        const auto lx = nearestRaw(label.x, (label.x - g_.originX) / g_.scaleX,
                                   [&](std::uint16_t r) { return mapLabel(g_, r, 0).x; });
        const auto ly = nearestRaw(label.y, (-label.y - g_.originY) / g_.scaleY,
                                   [&](std::uint16_t r) { return mapLabel(g_, 0, r).y; });
        if (!lx || !ly) {
            return fail(name + ": its label lies outside the picture"), false;
        }
        file_.pieces.push_back({static_cast<std::uint16_t>(firstContour),
                                static_cast<std::uint16_t>(file_.contours.size() - 1), *colour, *lx, *ly});
        return true;
    }

    std::optional<std::uint16_t> colourIndex(const ColourRecord& c) {
        for (std::size_t i = 0; i < file_.colours.size(); ++i) {
            const ColourRecord& o = file_.colours[i];
            if (o.red == c.red && o.green == c.green && o.blue == c.blue) {
                return static_cast<std::uint16_t>(i);
            }
        }
        if (file_.colours.size() >= static_cast<std::size_t>(kMaxColours)) {
            return std::nullopt;
        }
        file_.colours.push_back(c);
        return static_cast<std::uint16_t>(file_.colours.size() - 1);
    }

    // The point rounded to whole units (halves upwards, on screen y), or NaN
    // when it lies outside the picture by more than a unit.
    PointD roundedInside(PointD p) const {
        const PointD r{std::floor(p.x + 0.5), std::floor(p.y + 0.5)};
        const bool inside =
            r.x >= g_.minX - 1 && r.x <= g_.maxX + 1 && r.y >= g_.minY - 1 && r.y <= g_.maxY + 1;
        return inside ? r : PointD{std::nan(""), std::nan("")};
    }

    std::optional<RawPoint> toRaw(PointD original, const std::string& name) {
        const PointD p = roundedInside(original);
        if (std::isnan(p.x)) {
            error_ = name + ": the point (" + std::to_string(original.x) + ", " + std::to_string(original.y) +
                     ") lies outside the picture";
            return std::nullopt;
        }
        std::optional<std::uint16_t> x, y;
        if (polyline_) {
            x = nearestRaw(p.x, (p.x - g_.originX) / g_.scaleX,
                           [&](std::uint16_t r) { return mapPolylinePoint(g_, r, 0).x; });
            y = nearestRaw(-p.y, 16000.0 - (-p.y - g_.originY) / g_.scaleY,
                           [&](std::uint16_t r) { return mapPolylinePoint(g_, 0, r).y; });
        } else {
            x = nearestRaw(p.x, (p.x - g_.originX) / g_.scaleX,
                           [&](std::uint16_t r) { return mapCurvePoint(g_, r, 0).x; });
            y = nearestRaw(-p.y, (-p.y - g_.originY) / g_.scaleY,
                           [&](std::uint16_t r) { return mapCurvePoint(g_, 0, r).y; });
        }
        if (!x || !y) {
            error_ = name + ": the point (" + std::to_string(original.x) + ", " + std::to_string(original.y) +
                     ") lies outside the picture";
            return std::nullopt;
        }
        return RawPoint{*x, *y};
    }

    // The spans of a contour, closed. A span's steps are the model's or the rule's.
    std::vector<OutlineSpan> closedSpans(const Outline& outline) const {
        std::vector<OutlineSpan> spans = outline.spans;
        const PointD last = spans.empty() ? outline.start : spans.back().end;
        if (last.x != outline.start.x || last.y != outline.start.y) {
            spans.push_back({true, {}, {}, outline.start, 0});
        }
        return spans;
    }

    bool writeContour(const Outline& outline, const std::string& name, long long& gathered) {
        const std::vector<OutlineSpan> spans = closedSpans(outline);
        return polyline_ ? writePolylineContour(outline.start, spans, name, gathered)
                         : writeCurveContour(outline.start, spans, name, gathered);
    }

    bool writePolylineContour(PointD start, const std::vector<OutlineSpan>& spans, const std::string& name,
                              long long& gathered) {
        std::vector<RawPoint> points;
        const auto add = [&](PointD p) {
            const auto raw = toRaw(p, name);
            if (!raw) {
                return false;
            }
            if (points.empty() || !(points.back() == *raw)) {
                points.push_back(*raw);
            }
            return true;
        };
        if (!add(start)) {
            return false;
        }
        PointD from = start;
        for (const OutlineSpan& span : spans) {
            if (span.straight) {
                if (!add(span.end)) {
                    return false;
                }
            } else {
                const PointD control[4] = {from, span.control1, span.control2, span.end};
                const int steps =
                    span.steps > 0 ? span.steps : curveStepsFor(from, span.control1, span.control2, span.end);
                std::vector<PointD> samples(static_cast<std::size_t>(steps) + 1);
                flattenCurve(3, steps, control, samples);
                for (int i = 1; i <= steps; ++i) {
                    if (!add(samples[i])) {
                        return false;
                    }
                }
            }
            from = span.end;
        }
        while (points.size() > 1 && points.back() == points.front()) {
            points.pop_back();
        }
        if (points.size() < 3) {
            return true;  // collapsed to a line or a point: nothing to fill or outline
        }
        if (file_.points.size() + points.size() > kMaxTableSize) {
            return fail("the pattern needs more than " + std::to_string(kMaxTableSize) + " points"), false;
        }
        const auto first = static_cast<std::uint16_t>(file_.points.size());
        for (const RawPoint& p : points) {
            file_.points.push_back({p.x, p.y});
        }
        gathered += static_cast<long long>(points.size());
        return addPathEdgeContour(first, static_cast<std::uint16_t>(file_.points.size() - 1));
    }

    bool writeCurveContour(PointD start, const std::vector<OutlineSpan>& spans, const std::string& name,
                           long long& gathered) {
        std::vector<CurveRecord> curves;
        PointD from = start;
        for (const OutlineSpan& span : spans) {
            PointD c1 = span.control1, c2 = span.control2;
            int steps = span.steps;
            if (span.straight) {
                c1 = {from.x + (span.end.x - from.x) / 3.0, from.y + (span.end.y - from.y) / 3.0};
                c2 = {from.x + 2.0 * (span.end.x - from.x) / 3.0, from.y + 2.0 * (span.end.y - from.y) / 3.0};
                steps = 1;
            } else if (steps <= 0) {
                steps = curveStepsFor(from, c1, c2, span.end);
            }
            if (steps > 255) {
                return fail(name + ": a curve asks for " + std::to_string(steps) +
                            " steps; a curve holds at most 255"),
                       false;
            }
            CurveRecord record;
            const PointD control[4] = {from, c1, c2, span.end};
            for (int k = 0; k < 4; ++k) {
                const auto raw = toRaw(control[k], name);
                if (!raw) {
                    return false;
                }
                record.x[k] = raw->x;
                record.y[k] = raw->y;
            }
            record.steps = static_cast<std::uint8_t>(steps);
            from = span.end;
            // A curve whose four points coincide adds nothing but repeats.
            if (record.x[0] == record.x[3] && record.y[0] == record.y[3] && record.x[1] == record.x[0] &&
                record.y[1] == record.y[0] && record.x[2] == record.x[0] && record.y[2] == record.y[0]) {
                continue;
            }
            curves.push_back(record);
        }
        if (curves.empty()) {
            return true;  // collapsed to a point: nothing to fill or outline
        }
        if (file_.curves.size() + curves.size() > kMaxTableSize) {
            return fail("the pattern needs more than " + std::to_string(kMaxTableSize) + " curves"), false;
        }
        const auto first = static_cast<std::uint16_t>(file_.curves.size());
        for (const CurveRecord& c : curves) {
            file_.curves.push_back(c);
            gathered += c.steps + 1;
        }
        return addPathEdgeContour(first, static_cast<std::uint16_t>(file_.curves.size() - 1));
    }

    // Each contour walks a path of its own, forwards: boundaries are not shared.
    bool addPathEdgeContour(std::uint16_t first, std::uint16_t last) {
        if (file_.paths.size() >= kMaxTableSize || file_.edges.size() >= kMaxTableSize) {
            return fail("the pattern needs more than " + std::to_string(kMaxTableSize) + " paths"), false;
        }
        file_.paths.push_back({first, last});
        file_.edges.push_back({static_cast<std::uint16_t>(file_.paths.size() - 1), 1});
        const auto edge = static_cast<std::uint16_t>(file_.edges.size() - 1);
        file_.contours.push_back({edge, edge});
        return true;
    }

    const PatternModel& model_;
    const bool polyline_;
    std::string& error_;
    PatternFile file_;
    RawGeometry g_;
};

}  // namespace

int curveStepsFor(PointD p0, PointD p1, PointD p2, PointD p3) {
    const double d = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                              std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    const double steps = std::ceil(std::sqrt(0.75 * d / kCurveTolerance));
    if (!(steps >= 1.0)) {
        return 1;
    }
    return static_cast<int>(std::min(steps, static_cast<double>(kMaxCurveSteps)));
}

std::optional<PatternFile> writePatternFile(const PatternModel& model, GeometryVariant variant,
                                            std::string& error) {
    return Writer(model, variant, error).write();
}

PatternExtent patternExtentOf(std::int32_t sourceWidth, std::int32_t sourceHeight) {
    PatternHeader header;
    header.sourceWidth = sourceWidth;
    header.sourceHeight = sourceHeight;
    header.coordinateRange = kRange;
    const RawGeometry g = deriveRawGeometry(header);
    return {g.extentWidth, g.extentHeight};
}
