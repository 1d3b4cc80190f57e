// Reading a pattern file into a Pattern: the scale and extent from the header,
// the compacted palette, and every piece's outline gathered from its contours,
// edges and paths and converted to pattern units.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "pattern/bezier.h"
#include "pattern/drawing_work.h"
#include "pattern/pattern.h"
#include "pattern/pattern_file.h"
#include "pattern/raw_mapping.h"
#include "pattern/view_transform.h"
#include "platform/system/files.h"

namespace {

// A table of the file as the reader sees it: the records the file holds, then,
// up to the header's count, the zero record, kept once (ZeroTails::Held).
template <typename Record>
class FileTable {
  public:
    FileTable(const std::vector<Record>& records, std::size_t count) : records_(records), count_(count) {}
    std::size_t size() const { return count_; }
    const Record& operator[](std::size_t i) const { return records_[std::min(i, records_.size() - 1)]; }

  private:
    const std::vector<Record>& records_;
    std::size_t count_;
};

// The file's tables at the sizes its header gives.
struct FileTables {
    explicit FileTables(const PatternFile& f)
        : header(f.header),
          held(f.held),
          polyline(f.isPolyline()),
          rectilinear(f.isRectilinear()),
          points(f.points, polyline ? f.header.pointRecordCount : 0),
          curves(f.curves, polyline ? 0 : f.header.curveRecordCount),
          paths(f.paths, f.header.pathRecordCount),
          edges(f.edges, f.header.edgeRecordCount),
          contours(f.contours, f.header.contourRecordCount),
          pieces(f.pieces, static_cast<std::size_t>(std::max<int>(f.header.pieceCount, 0))),
          colours(f.colours, f.header.colourRecordCount) {}

    bool isPolyline() const { return polyline; }
    bool isRectilinear() const { return rectilinear; }

    const PatternHeader& header;
    PatternFile::Held held;
    bool polyline, rectilinear;
    FileTable<PointRecord> points;
    FileTable<CurveRecord> curves;
    FileTable<PathRecord> paths;
    FileTable<EdgeRecord> edges;
    FileTable<ContourRecord> contours;
    FileTable<PieceRecord> pieces;
    FileTable<ColourRecord> colours;
};

// The records of a table worth checking one by one: those the file holds and
// one zero record, which stands for all the others.
std::size_t checked(std::size_t size, std::size_t held) {
    return std::min(size, held == SIZE_MAX ? held : held + 1);
}

// Running sums of an amount per record, where every record from `held` on is
// the same zero record: those are summed as one product, so a short file with
// large counts costs nothing per record it does not hold.
class RunningSum {
  public:
    template <typename Amount>
    RunningSum(std::size_t count, std::size_t held, Amount amount)
        : held_(std::min(count, held)), before_(held_ + 1, 0) {
        for (std::size_t i = 0; i < held_; ++i) {
            before_[i + 1] = before_[i] + amount(i);
        }
        zeroAmount_ = held_ < count ? amount(held_) : 0;
    }
    // The sum over the records before record i.
    std::int64_t before(std::size_t i) const {
        return i <= held_ ? before_[i] : before_[held_] + static_cast<std::int64_t>(i - held_) * zeroAmount_;
    }

  private:
    std::size_t held_;
    std::vector<std::int64_t> before_;
    std::int64_t zeroAmount_ = 0;
};

// A check's finding: what is wrong with the file, or nothing.
using Fault = std::optional<std::string>;

Fault sizeFault(const FileTables& f) {
    const PatternHeader& h = f.header;
    if (h.sourceWidth <= 0 || h.sourceHeight <= 0) {
        return "the picture's width or height is not positive";
    }
    if (h.coordinateRange <= 0) {
        return "the coordinate range is not positive";
    }
    if (h.pieceCount < 0) {
        return "the piece count is negative";
    }
    return std::nullopt;
}

Fault pathFault(const FileTables& f) {
    const std::size_t geometryCount = f.isPolyline() ? f.points.size() : f.curves.size();
    const char* geometryName = f.isPolyline() ? "point" : "curve";
    for (std::size_t i = 0; i < checked(f.paths.size(), f.held.paths); ++i) {
        const PathRecord& p = f.paths[i];
        if (p.first <= p.last && p.last >= geometryCount) {
            return "path " + std::to_string(i) + " runs past the end of the " + geometryName + " table";
        }
    }
    return std::nullopt;
}

Fault edgeFault(const FileTables& f) {
    for (std::size_t i = 0; i < checked(f.edges.size(), f.held.edges); ++i) {
        if (f.edges[i].path >= f.paths.size()) {
            return "edge " + std::to_string(i) + " names a path that does not exist";
        }
    }
    return std::nullopt;
}

Fault contourFault(const FileTables& f) {
    for (std::size_t i = 0; i < checked(f.contours.size(), f.held.contours); ++i) {
        const ContourRecord& c = f.contours[i];
        if (c.firstEdge <= c.lastEdge && c.lastEdge >= f.edges.size()) {
            return "contour " + std::to_string(i) + " runs past the end of the edge table";
        }
    }
    return std::nullopt;
}

Fault pieceFault(const FileTables& f) {
    for (std::size_t i = 0; i < checked(f.pieces.size(), f.held.pieces); ++i) {
        const PieceRecord& p = f.pieces[i];
        const std::string piece = "piece " + std::to_string(i);
        if (p.firstContour > p.lastContour) {
            return piece + " ends before its first contour";
        }
        if (p.lastContour >= f.contours.size()) {
            return piece + " runs past the end of the contour table";
        }
        if (p.lastContour - p.firstContour + 1 > kMaxContoursPerPiece) {
            return piece + " has more than " + std::to_string(kMaxContoursPerPiece) + " contours";
        }
        if (p.colour >= f.colours.size()) {
            return piece + " names a colour that does not exist";
        }
    }
    return std::nullopt;
}

// Which colours some piece names. (Pieces past the end of the file all name
// colour 0, as the first of them does.)
std::vector<bool> coloursInUse(const FileTables& f) {
    std::vector<bool> used(f.colours.size(), false);
    for (std::size_t i = 0; i < checked(f.pieces.size(), f.held.pieces); ++i) {
        used[f.pieces[i].colour] = true;
    }
    return used;
}

Fault colourCountFault(const FileTables& f) {
    if (std::ranges::count(coloursInUse(f), true) > kMaxColours) {
        return "more than " + std::to_string(kMaxColours) + " colours are in use";
    }
    return std::nullopt;
}

// The work of gathering every piece: the points it walks and the edges it
// visits, counted with running sums so that a file cannot make the count
// itself slow.
struct GatheringWork {
    std::int64_t points;
    std::int64_t edges;
};

GatheringWork measureGathering(const FileTables& f) {
    const std::size_t geometryCount = f.isPolyline() ? f.points.size() : f.curves.size();
    const RunningSum pointsBefore(geometryCount, f.held.geometry, [&](std::size_t i) {
        return f.isPolyline() ? 1 : std::max<int>(f.curves[i].steps, 0) + 1;
    });
    const auto pathPoints = [&](const PathRecord& p) {
        return p.first <= p.last ? pointsBefore.before(p.last + 1u) - pointsBefore.before(p.first) : 0;
    };
    const RunningSum edgePointsBefore(f.edges.size(), f.held.edges,
                                      [&](std::size_t i) { return pathPoints(f.paths[f.edges[i].path]); });
    const RunningSum contourPointsBefore(
        f.contours.size(), f.held.contours, [&](std::size_t i) -> std::int64_t {
            const ContourRecord& c = f.contours[i];
            return c.firstEdge <= c.lastEdge
                       ? edgePointsBefore.before(c.lastEdge + 1u) - edgePointsBefore.before(c.firstEdge)
                       : 0;
        });
    const RunningSum contourEdgesBefore(
        f.contours.size(), f.held.contours, [&](std::size_t i) -> std::int64_t {
            const ContourRecord& c = f.contours[i];
            return c.firstEdge <= c.lastEdge ? c.lastEdge - c.firstEdge + 1 : 0;
        });
    const auto pieceSum = [&](const RunningSum& perContour) {
        return RunningSum(f.pieces.size(), f.held.pieces,
                          [&](std::size_t i) {
                              const PieceRecord& p = f.pieces[i];
                              return perContour.before(p.lastContour + 1u) -
                                     perContour.before(p.firstContour);
                          })
            .before(f.pieces.size());
    };
    return {pieceSum(contourPointsBefore), pieceSum(contourEdgesBefore)};
}

Fault gatheringFault(const FileTables& f) {
    const GatheringWork work = measureGathering(f);
    if (work.points > kMaxPatternPoints) {
        return "it would need more than " + std::to_string(kMaxPatternPoints) + " points";
    }
    if (work.edges > kMaxPatternPoints) {
        return "its contours would walk more than " + std::to_string(kMaxPatternPoints) + " edges";
    }
    return std::nullopt;
}

// Everything the builder relies on, checked before anything is built. In
// this order: each check relies on the ones before it (the indices it
// follows lie inside their tables).
constexpr Fault (*kChecks[])(const FileTables&) = {
    sizeFault, pathFault, edgeFault, contourFault, pieceFault, colourCountFault, gatheringFault,
};

Fault findFault(const FileTables& f) {
    for (const auto check : kChecks) {
        if (Fault fault = check(f)) {
            return fault;
        }
    }
    return std::nullopt;
}

// Builds each piece's outline. G is the gathering list of one piece, in
// pattern units before y is negated; it is a fixed array with a length,
// because the straight-run merging may take back a point of the previous
// contour and later points then overwrite it.
class PieceBuilder {
  public:
    PieceBuilder(const FileTables& file, const RawGeometry& g) : file_(file), g_(g) {}

    // Gathers and stores one piece; false when it gathers too many points.
    bool build(const PieceRecord& record, std::int32_t colour, PatternHeap& heap, Piece& piece) {
        length_ = 0;
        const int contourCount = record.lastContour - record.firstContour + 1;
        starts_.assign(contourCount, 0);
        sizes_.assign(contourCount, 0);
        for (int j = 0; j < contourCount; ++j) {
            starts_[j] = length_;
            previousCode_ = kNoCode;
            code_ = 0;
            if (!gatherContour(file_.contours[record.firstContour + j])) {
                return false;
            }
            sizes_[j] = length_ - starts_[j];
        }

        setOwnFields(record, colour, piece);
        piece.contourCount = contourCount;
        piece.contourSizes = heap.allocate<std::int32_t>(contourCount);
        piece.totalPoints = 0;

        kept_.clear();
        for (int j = 0; j < contourCount; ++j) {
            const int size = sizes_[j];
            const int before = static_cast<int>(kept_.size());
            for (int i = 0; i < size; ++i) {
                const POINT& p = gathered_[starts_[j] + i];
                const bool closesContour = i == size - 1 && p == gathered_[starts_[j]];
                const bool repeatsPrevious = i > 0 && p == gathered_[starts_[j] + i - 1];
                if (!closesContour && !repeatsPrevious) {
                    kept_.push_back({p.x, -p.y});
                }
            }
            piece.contourSizes[j] = static_cast<std::int32_t>(kept_.size()) - before;
            piece.totalPoints += piece.contourSizes[j];
        }
        piece.points = heap.copy<POINT>(kept_);
        computeBounds(piece);
        return true;
    }

    // A piece with the outline of another.
    void share(const Piece& outline, const PieceRecord& record, std::int32_t colour, Piece& piece) const {
        piece = outline;
        setOwnFields(record, colour, piece);
    }

  private:
    static constexpr int kNoCode = -1;

    void setOwnFields(const PieceRecord& record, std::int32_t colour, Piece& piece) const {
        piece.colour = colour;
        const POINT label = mapLabel(g_, record.labelX, record.labelY);
        piece.labelX = label.x;
        piece.labelY = label.y;
        piece.painted = 0;
        piece.paintedColour = 0;
    }

    bool gatherContour(const ContourRecord& contour) {
        for (int e = contour.firstEdge; e <= contour.lastEdge; ++e) {
            const EdgeRecord& edge = file_.edges[e];
            const PathRecord& path = file_.paths[edge.path];
            if (path.first > path.last) {
                continue;
            }
            const bool forward = edge.forward != 0;
            for (int k = 0; k <= path.last - path.first; ++k) {
                const int index = forward ? path.first + k : path.last - k;
                if (!(file_.isPolyline() ? walkPoint(file_.points[index])
                                         : walkCurve(file_.curves[index], forward))) {
                    return false;
                }
            }
        }
        return true;
    }

    bool walkCurve(const CurveRecord& curve, bool forward) {
        PointD control[4];
        for (int k = 0; k < 4; ++k) {
            const int from = forward ? k : 3 - k;
            control[k] = {static_cast<double>(curve.x[from]), static_cast<double>(curve.y[from])};
        }
        const int count = flattenCurve(3, curve.steps, control, samples_);
        mapCurvePoints(g_, std::span(samples_).first(static_cast<std::size_t>(count)), curvePoints_.data());
        return append(std::span(curvePoints_).first(static_cast<std::size_t>(count)));
    }

    bool walkPoint(const PointRecord& raw) {
        const POINT p = mapPolylinePoint(g_, raw.x, raw.y);
        if (!file_.isRectilinear()) {
            return (length_ > 0 && gathered_[length_ - 1] == p) || append(p);
        }
        // Straight runs keep only their end points: a point that continues the
        // direction of the step before it replaces the point it continues.
        if (previousCode_ != kNoCode) {
            const POINT& last = gathered_[length_ - 1];
            if (p.x == last.x) {
                code_ = p.y == last.y ? 0 : (p.y > last.y ? 3 : 4);
            } else if (p.y == last.y) {
                code_ = p.x > last.x ? 1 : 2;
            }
        } else {
            code_ = 0;
        }
        if (code_ == previousCode_ && length_ > 0) {
            --length_;
        }
        const bool appended = (length_ == 0 || code_ != 0) ? append(p) : true;
        previousCode_ = code_;
        return appended;
    }

    bool append(POINT p) { return append(std::span(&p, 1)); }
    // False when the points would take the piece past the limit (the piece
    // is then refused, and what was gathered is never looked at).
    bool append(std::span<const POINT> points) {
        const std::size_t length = static_cast<std::size_t>(length_) + points.size();
        if (length > static_cast<std::size_t>(kMaxGatheredPoints)) {
            return false;
        }
        if (length > gathered_.size()) {
            // Grown as pieces need it: most files never come near the limit.
            gathered_.resize(
                std::min<std::size_t>(std::max(gathered_.size() * 2 + 64, length), kMaxGatheredPoints));
        }
        std::ranges::copy(points, gathered_.begin() + length_);
        length_ = static_cast<int>(length);
        return true;
    }

    const FileTables& file_;
    const RawGeometry& g_;
    std::vector<POINT> gathered_;
    int length_ = 0;
    int previousCode_ = kNoCode;
    int code_ = 0;
    std::vector<int> starts_, sizes_;
    std::vector<POINT> kept_;
    // One curve's samples and their points: kept between curves, as an
    // array of them filled afresh for each curve would cost more than they do.
    std::array<PointD, 256> samples_;
    std::array<POINT, 256> curvePoints_;
};

// The palette: only colours some piece names, renumbered in file order; the
// new number of each file colour, -1 for those left out.
std::vector<std::int32_t> compactPalette(const FileTables& file) {
    const std::vector<bool> used = coloursInUse(file);
    const auto usedCount = static_cast<std::int32_t>(std::ranges::count(used, true));
    std::vector<std::int32_t> newIndex(file.colours.size(), -1);
    std::int32_t colourCount = 0;
    for (std::size_t i = 0; i < file.colours.size() && colourCount < usedCount; ++i) {
        if (used[i]) {
            newIndex[i] = colourCount++;
        }
    }
    return newIndex;
}

// Every piece's outline, built on the heap; the fault when a piece gathers
// too many points.
Fault buildPieces(const FileTables& file, const RawGeometry& g, const std::vector<std::int32_t>& newIndex,
                  PatternHeap& heap, std::span<Piece> pieces) {
    PieceBuilder builder(file, g);
    for (std::size_t k = 0; k < file.pieces.size(); ++k) {
        const PieceRecord& record = file.pieces[k];
        const PieceRecord* previous = k > 0 ? &file.pieces[k - 1] : nullptr;
        if (previous != nullptr && previous->firstContour == record.firstContour &&
            previous->lastContour == record.lastContour) {
            // The same contours make the same outline: shared, as the points never change.
            builder.share(pieces[k - 1], record, newIndex[record.colour], pieces[k]);
        } else if (!builder.build(record, newIndex[record.colour], heap, pieces[k])) {
            return "piece " + std::to_string(k) + " gathers more than " + std::to_string(kMaxGatheredPoints) +
                   " points";
        }
    }
    return std::nullopt;
}

// Whether drawing the whole picture on the largest board asks too much.
Fault drawingFault(std::span<const Piece> pieces, const RawGeometry& g) {
    ViewTransform largestBoard;
    fitView(largestBoard, g.maxX - g.minX, g.maxY - g.minY, kLargestBoardWidth, kLargestBoardHeight);
    setViewZoom(largestBoard, 1.0f);
    if (std::string fault = findDrawingFault(pieces, largestBoard); !fault.empty()) {
        return fault;
    }
    return std::nullopt;
}

void setGeometry(Pattern& pattern, const PatternHeader& h, const RawGeometry& g) {
    pattern.sourceWidth = h.sourceWidth;
    pattern.sourceHeight = h.sourceHeight;
    pattern.coordinateRange = h.coordinateRange;
    pattern.polylineFlag = h.polylineFlag;
    pattern.rectilinearFlag = h.rectilinearFlag;
    pattern.scaleX = g.scaleX;
    pattern.scaleY = g.scaleY;
    pattern.extentWidth = g.extentWidth;
    pattern.extentHeight = g.extentHeight;
    pattern.minX = g.minX;
    pattern.maxX = g.maxX;
    pattern.minY = g.minY;
    pattern.maxY = g.maxY;
    pattern.originX = g.originX;
    pattern.originY = g.originY;
    pattern.pieceCount = h.pieceCount;
    pattern.pieceTotal = h.pieceCount;
    pattern.piecesLeft = h.pieceCount;
}

// The compacted palette, with each colour's brush and pen, and no piece counted yet.
void setPalette(Pattern& pattern, const FileTables& file, const std::vector<std::int32_t>& newIndex) {
    for (std::size_t i = 0; i < file.colours.size(); ++i) {
        const std::int32_t n = newIndex[i];
        if (n < 0) {
            continue;
        }
        const ColourRecord& c = file.colours[i];
        pattern.colourRGB[n] = {c.red, c.green, c.blue};
        pattern.colourRef[n] = RGB(c.red, c.green, c.blue);
        pattern.piecesLeftPerColour[n] = 0;
        pattern.colourBrush[n] = CreateSolidBrush(pattern.colourRef[n]);
        pattern.colourPen[n] = CreatePen(PS_SOLID, 0, pattern.colourRef[n]);
        pattern.colourLuma[n] = colourLumaOf(c.red, c.green, c.blue);
    }
    pattern.outlinePen = CreatePen(PS_SOLID, 0, kOutlineColour);
    const auto colourCount =
        static_cast<std::int32_t>(std::ranges::count_if(newIndex, [](std::int32_t n) { return n >= 0; }));
    pattern.colourCount = colourCount;
    pattern.coloursLeft = colourCount;
}

}  // namespace

void loadPattern(Pattern& pattern, const WCHAR* path) {
    const auto bytes = platform::readFileBytes(path, kLargestPatternFile);
    if (!bytes) {
        pattern.loadError = "the file cannot be opened";
        return;
    }
    loadPatternFromBytes(pattern, *bytes);
}

void loadPatternFromBytes(Pattern& pattern, std::span<const std::byte> bytes) {
    const PatternFile parsed = parsePatternFile(bytes, ZeroTails::Held);
    const FileTables file(parsed);
    if (const Fault fault = findFault(file)) {
        pattern.loadError = "the file is damaged: " + *fault;
        return;
    }
    const RawGeometry g = deriveRawGeometry(file.header);
    const std::vector<std::int32_t> newIndex = compactPalette(file);
    auto heap = std::make_unique<PatternHeap>();
    std::span<Piece> pieces = heap->allocate<Piece>(file.pieces.size());
    if (const Fault fault = buildPieces(file, g, newIndex, *heap, pieces)) {
        pattern.loadError = "the file is damaged: " + *fault;
        return;
    }
    if (const Fault fault = drawingFault(pieces, g)) {
        pattern.loadError = "the file is too heavy to draw: " + *fault;
        return;
    }
    setGeometry(pattern, file.header, g);
    setPalette(pattern, file, newIndex);
    for (const Piece& piece : pieces) {
        ++pattern.piecesLeftPerColour[piece.colour];
    }
    pattern.screenPoints = heap->allocate<POINT>(kMaxGatheredPoints);
    pattern.pieces = pieces;
    pattern.heap = std::move(heap);
    pattern.selectedColour = -1;
    pattern.missCount = 0;
    pattern.loadError.clear();
}
