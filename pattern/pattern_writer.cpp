#include "pattern/pattern_writer.h"

#include <algorithm>
#include <cmath>

#include "pattern/pattern.h"
#include "pattern/raw_encoding.h"

namespace {

class Writer : PatternFileBuilder {
  public:
    Writer(const PatternModel& model, std::string& error)
        : PatternFileBuilder(model.sourceWidth, model.sourceHeight, GeometryVariant::Polylines, error),
          model_(model) {}

    std::optional<PatternFile> write() {
        if (std::string fault = pictureFault(model_.sourceWidth, model_.sourceHeight, model_.pieces.size());
            !fault.empty()) {
            return fail(std::move(fault));
        }
        for (std::size_t k = 0; k < model_.pieces.size(); ++k) {
            if (!writePiece(k)) {
                return std::nullopt;
            }
        }
        return file_;
    }

  private:
    bool writePiece(std::size_t k) {
        const ModelPiece& piece = model_.pieces[k];
        const std::string name = "piece " + std::to_string(k);
        if (piece.contours.empty()) {
            return fail(name + " has no outline"), false;
        }
        if (std::string fault = pieceFault(name, piece.contours.size(), 0); !fault.empty()) {
            return fail(std::move(fault)), false;
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
        return finishPiece(name, piece.contours.size(), gathered, piece.colour, piece.label, firstContour);
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
        std::vector<PointD> flattened{outline.start};
        PointD from = outline.start;
        for (const OutlineSpan& span : closedSpans(outline)) {
            appendSpanPoints(from, span, flattened);
            from = span.end;
        }
        std::vector<RawPoint> points;
        for (const PointD& p : flattened) {
            const auto raw = encoder_.point(p);
            if (!raw) {
                return fail(pointOutsideMessage(name, p)), false;
            }
            if (points.empty() || !(points.back() == *raw)) {
                points.push_back(*raw);
            }
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
};

}  // namespace

std::optional<PatternFile> writePatternFile(const PatternModel& model, std::string& error) {
    return Writer(model, error).write();
}

PatternExtent patternExtentOf(std::int32_t sourceWidth, std::int32_t sourceHeight) {
    const RawGeometry g =
        deriveRawGeometry(RawEncoder(sourceWidth, sourceHeight, GeometryVariant::Curves).header());
    return {g.extentWidth, g.extentHeight};
}
