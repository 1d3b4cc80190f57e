// What both pattern writers share: points in pattern units turned into the
// raw coordinates that load back nearest them, the colour table, and spans
// turned into curve records or flattened into points.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pattern/pattern_file.h"
#include "pattern/pattern_model.h"
#include "pattern/raw_mapping.h"

inline constexpr std::int32_t kWrittenRange = 16000;     // N of every written file
inline constexpr std::size_t kMaxTableSize = 65535;      // record counts are u16
inline constexpr std::size_t kMaxWrittenPieces = 32767;  // the piece count is i16

struct RawPoint {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    friend bool operator==(const RawPoint&, const RawPoint&) = default;
};

class RawEncoder {
  public:
    // The header of a file of this picture and variant, with N = kWrittenRange.
    RawEncoder(std::int32_t sourceWidth, std::int32_t sourceHeight, GeometryVariant variant);

    const PatternHeader& header() const { return header_; }
    bool polyline() const { return header_.polylineFlag != 0; }

    // The raw point of the file's variant that loads back nearest the point,
    // or nothing when it lies outside the picture by more than a unit.
    std::optional<RawPoint> point(PointD p) const;
    std::optional<RawPoint> label(PointD p) const;

    // True when the reader flattens the curve to the same points walked
    // either way. Samples computed from the other end can round to a
    // neighbouring unit; two pieces that share the curve would then leave a
    // sliver between them.
    bool flattensAlikeBothWays(const CurveRecord& curve) const;

  private:
    std::optional<PointD> roundedInside(PointD p) const;

    PatternHeader header_;
    RawGeometry g_;
};

// What keeps a picture of this size and number of pieces from being
// written, and what keeps one piece; empty when nothing does.
std::string pictureFault(std::int32_t sourceWidth, std::int32_t sourceHeight, std::size_t pieces);
std::string pieceFault(const std::string& name, std::size_t contours, long long gathered);

// What both writers keep while they write: the file so far, the encoder of
// its variant, and where a failure's reason goes.
class PatternFileBuilder {
  protected:
    PatternFileBuilder(std::int32_t sourceWidth, std::int32_t sourceHeight, GeometryVariant variant,
                       std::string& error);

    std::nullopt_t fail(std::string why);

    // After a piece's contours are written (from firstContour on, gathering
    // `gathered` points): its limits checked, its colour and label entered.
    bool finishPiece(const std::string& name, std::size_t contours, long long gathered,
                     const ColourRecord& colour, PointD label, std::size_t firstContour);

    RawEncoder encoder_;
    std::string& error_;
    PatternFile file_;
};

// The colour's index in the table, added when new; nothing when the table
// already holds kMaxColours others.
std::optional<std::uint16_t> colourIndexIn(std::vector<ColourRecord>& table, const ColourRecord& colour);

// A span from `from` as a cubic curve: a straight span has its inner control
// points at the thirds and one step; a curve without steps gets curveStepsFor.
struct SpanCurve {
    PointD control[4];
    int steps = 1;
};
SpanCurve spanCurve(PointD from, const OutlineSpan& span);

// The points a span passes through after `from`, its end included: a curve
// flattened with its steps.
void appendSpanPoints(PointD from, const OutlineSpan& span, std::vector<PointD>& out);

// The curve record of a span, or nothing with `error` saying why.
std::optional<CurveRecord> curveRecordOf(const RawEncoder& encoder, PointD from, const OutlineSpan& span,
                                         const std::string& name, std::string& error);

// The record, its steps raised or an inner control point moved by a unit
// where needed, so that it flattens alike walked either way; nothing when no
// such change within reach does it.
std::optional<CurveRecord> reversibleCurve(const RawEncoder& encoder, CurveRecord curve);

// True when the curve's four control points coincide: it adds only repeats.
bool isPointCurve(const CurveRecord& c);

std::string pointOutsideMessage(const std::string& name, PointD p);
