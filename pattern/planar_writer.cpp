#include "pattern/planar_writer.h"

#include "pattern/pattern.h"
#include "pattern/raw_encoding.h"

namespace {

std::string tooMany(const std::string& what) {
    return "the pattern needs more than " + std::to_string(kMaxTableSize) + " " + what +
           "; a pattern file counts them in 16 bits";
}

class PlanarWriter : PatternFileBuilder {
  public:
    PlanarWriter(const PlanarModel& model, GeometryVariant variant, std::string& error)
        : PatternFileBuilder(model.sourceWidth, model.sourceHeight, variant, error), model_(model) {}

    std::optional<PatternFile> write() {
        if (std::string fault = pictureFault(model_.sourceWidth, model_.sourceHeight, model_.pieces.size());
            !fault.empty()) {
            return fail(std::move(fault));
        }
        if (model_.paths.size() > kMaxTableSize) {
            return fail(tooMany("paths"));
        }
        for (std::size_t p = 0; p < model_.paths.size(); ++p) {
            if (!(encoder_.polyline() ? writePolylinePath(p) : writeCurvePath(p))) {
                return std::nullopt;
            }
        }
        for (std::size_t k = 0; k < model_.pieces.size(); ++k) {
            if (!writePiece(k)) {
                return std::nullopt;
            }
        }
        return file_;
    }

  private:
    bool addPath(std::size_t firstRecord, std::size_t recordCount, long long gathered) {
        if (recordCount == 0) {
            file_.paths.push_back({1, 0});  // empty: it adds nothing to either piece
        } else {
            file_.paths.push_back({static_cast<std::uint16_t>(firstRecord),
                                   static_cast<std::uint16_t>(firstRecord + recordCount - 1)});
        }
        gatheredByPath_.push_back(gathered);
        return true;
    }

    bool writePolylinePath(std::size_t p) {
        const PlanarPath& path = model_.paths[p];
        std::vector<PointD> flattened{path.start};
        PointD from = path.start;
        for (const OutlineSpan& span : path.spans) {
            appendSpanPoints(from, span, flattened);
            from = span.end;
        }
        const std::size_t first = file_.points.size();
        for (const PointD& point : flattened) {
            const auto raw = encoder_.point(point);
            if (!raw) {
                return fail(pointOutsideMessage("path " + std::to_string(p), point)), false;
            }
            const PointRecord record{raw->x, raw->y};
            if (file_.points.size() > first && file_.points.back().x == record.x &&
                file_.points.back().y == record.y) {
                continue;
            }
            if (file_.points.size() >= kMaxTableSize) {
                return fail(tooMany("points")), false;
            }
            file_.points.push_back(record);
        }
        const std::size_t count = file_.points.size() - first;
        return addPath(first, count, static_cast<long long>(count));
    }

    bool writeCurvePath(std::size_t p) {
        const PlanarPath& path = model_.paths[p];
        const std::string name = "path " + std::to_string(p);
        const std::size_t first = file_.curves.size();
        long long gathered = 0;
        PointD from = path.start;
        for (const OutlineSpan& span : path.spans) {
            auto record = curveRecordOf(encoder_, from, span, name, error_);
            if (!record) {
                return false;
            }
            // Both pieces beside the path must gather the very same points.
            record = reversibleCurve(encoder_, *record);
            if (!record) {
                return fail(name + ": a curve flattens differently walked backwards"), false;
            }
            from = span.end;
            if (isPointCurve(*record)) {
                continue;
            }
            if (file_.curves.size() >= kMaxTableSize) {
                return fail(tooMany("curves")), false;
            }
            file_.curves.push_back(*record);
            gathered += record->steps + 1;
        }
        return addPath(first, file_.curves.size() - first, gathered);
    }

    bool writePiece(std::size_t k) {
        const PlanarPiece& piece = model_.pieces[k];
        const std::string name = "piece " + std::to_string(k);
        if (piece.contours.empty() || piece.contours.front().empty()) {
            return fail(name + " has no outline"), false;
        }
        if (std::string fault = pieceFault(name, piece.contours.size(), 0); !fault.empty()) {
            return fail(std::move(fault)), false;
        }
        const std::size_t firstContour = file_.contours.size();
        long long gathered = 0;
        for (const PlanarContour& contour : piece.contours) {
            const std::size_t firstEdge = file_.edges.size();
            for (const PathUse& use : contour) {
                if (use.path < 0 || static_cast<std::size_t>(use.path) >= model_.paths.size()) {
                    return fail(name + " names a path that does not exist"), false;
                }
                if (file_.edges.size() >= kMaxTableSize) {
                    return fail(tooMany("edges")), false;
                }
                file_.edges.push_back(
                    {static_cast<std::uint16_t>(use.path), use.forward ? std::uint8_t{1} : std::uint8_t{0}});
                gathered += gatheredByPath_[use.path];
            }
            if (file_.contours.size() >= kMaxTableSize) {
                return fail(tooMany("contours")), false;
            }
            file_.contours.push_back(
                {static_cast<std::uint16_t>(firstEdge), static_cast<std::uint16_t>(file_.edges.size() - 1)});
        }
        return finishPiece(name, piece.contours.size(), gathered, piece.colour, piece.label, firstContour);
    }

    const PlanarModel& model_;
    std::vector<long long> gatheredByPath_;
};

}  // namespace

std::optional<PatternFile> writePlanarPatternFile(const PlanarModel& model, GeometryVariant variant,
                                                  std::string& error) {
    return PlanarWriter(model, variant, error).write();
}
