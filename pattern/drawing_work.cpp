#include "pattern/drawing_work.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "pattern/cell_sums.h"
#include "pattern/outline_sums.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "pattern/work_cells.h"

namespace {

using namespace drawing_work;
using i64 = std::int64_t;

// A pattern of more points than this goes to the fine cells at once, as the
// coarse ones would rarely settle it.
constexpr i64 kCoarseFirstPoints = 20'000;

// Rows lo <= y < hi that lie on a board of `size` rows (or columns).
i64 clippedSpan(i64 a, i64 b, i64 size) {
    return std::max<i64>(0, std::min(std::max(a, b), size) - std::max<i64>(std::min(a, b), 0));
}

// A line's pixels: one per step of its longer axis, at most the board's longer side.
i64 linePixels(POINT a, POINT b) {
    const i64 length = std::max(std::abs(i64{b.x} - a.x), std::abs(i64{b.y} - a.y));
    return std::min<i64>(length, std::max(kLargestBoardWidth, kLargestBoardHeight));
}

// The work of every piece, cell by cell: the rows the filled outlines' edges
// cross and how many runs of edges going one way up or down there are (the
// rows of a run are all different, and rounding adds at most one to them),
// the steps of the lines drawn and how many lines, the pixels of the filled
// boxes and how many boxes, and the points of the pieces whose boxes those
// are (only pieces seen are drawn).
struct WorkGrid {
    static constexpr int kQuantities = 27;
    Cells cells;
    CellTable<kQuantities> table;
    CellSums<kQuantities> edgeRows{table, 0}, lineSteps{table, 1}, boxPixels{table, 2};
    BoxCount<kQuantities> runs{table, 3}, lines{table, 7}, boxes{table, 11}, boxPoints{table, 15};
    // The rows and steps of small pieces, counted whole where their boxes meet a window.
    BoxCount<kQuantities> wholeRows{table, 19}, wholeSteps{table, 23};

    WorkGrid(Cells of, CellRange kept) : cells(of), table(of.columns, of.rows, kept) {}

    void addSegment(Spot a, Spot b, double fillWeight, double lineWeight);
    void addBox(Spot low, Spot high, double weight, double points);
    void addRun(Spot low, Spot high, double weight) {
        runs.add(cells.column(low.x), cells.row(low.y), cells.column(high.x), cells.row(high.y), weight);
    }
    void finish() { table.finish(); }
};

// A segment adds, in each row of cells it passes, to the cells of the columns
// it passes there: no more than it can hold in one cell of its rows crossed
// (for a filled outline's edge) and of its steps (for a line drawn).
void WorkGrid::addSegment(Spot a, Spot b, double fillWeight, double lineWeight) {
    const double dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    const double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    const int r0 = cells.row(top), r1 = cells.row(bottom);
    const bool crosses = fillWeight > 0 && dy > 0;
    const int leftCell = cells.column(std::min(a.x, b.x)), rightCell = cells.column(std::max(a.x, b.x));
    if (lineWeight > 0) {
        lines.add(leftCell, r0, rightCell, r1, lineWeight);
    }
    // Rows crossed in one column are at most its width times the slope.
    const double side = cells.size;
    const double rowsPerColumn = dx > 0 ? dy / dx * side : side;
    for (int r = r0; r <= r1; ++r) {
        const double from = r == r0 ? top : r * side, to = r == r1 ? bottom : (r + 1) * side;
        const double along = dy > 0 ? (to - from) / dy : 1.0;  // share of the segment in this row
        const double xFrom = dy > 0 ? a.x + (b.x - a.x) * ((from - a.y) / (b.y - a.y)) : std::min(a.x, b.x);
        const double xTo = dy > 0 ? a.x + (b.x - a.x) * ((to - a.y) / (b.y - a.y)) : std::max(a.x, b.x);
        const int c0 = cells.column(std::min(xFrom, xTo)), c1 = cells.column(std::max(xFrom, xTo));
        if (crosses) {
            edgeRows.addRun(r, c0, c1, fillWeight * std::min(to - from, rowsPerColumn));
        }
        if (lineWeight > 0) {
            const double steps = std::max(dx, dy) * along;
            lineSteps.addRun(r, c0, c1, lineWeight * std::min(steps, side));
        }
    }
}

void WorkGrid::addBox(Spot low, Spot high, double weight, double points) {
    const int c0 = cells.column(low.x), c1 = cells.column(high.x);
    const int r0 = cells.row(low.y), r1 = cells.row(high.y);
    boxes.add(c0, r0, c1, r1, weight);
    boxPoints.add(c0, r0, c1, r1, weight * points);
    // The truncated box has at most one more pixel a side.
    const double pixels = (high.x - low.x + 2) * (high.y - low.y + 2);
    for (int r = r0; r <= r1; ++r) {
        boxPixels.addRun(r, c0, c1, weight * std::min(pixels, static_cast<double>(cells.size) * cells.size));
    }
}

// The edges of a filled outline, gathered into runs that go one way up or
// down (level edges join any run), each run counted by its box.
class RunGatherer {
  public:
    RunGatherer(WorkGrid& grid, double weight) : grid_(grid), weight_(weight) {}
    ~RunGatherer() { flush(); }

    void add(Spot a, Spot b) {
        const int direction = b.y > a.y ? 1 : (b.y < a.y ? -1 : 0);
        if (direction != 0 && direction != direction_) {
            flush();
            direction_ = direction;
        }
        low_ = {std::min({low_.x, a.x, b.x}), std::min({low_.y, a.y, b.y})};
        high_ = {std::max({high_.x, a.x, b.x}), std::max({high_.y, a.y, b.y})};
    }

  private:
    void flush() {
        if (direction_ != 0) {
            grid_.addRun(low_, high_, weight_);
        }
        direction_ = 0;
        low_ = {kWidth, kHeight};
        high_ = {0, 0};
    }
    WorkGrid& grid_;
    double weight_;
    int direction_ = 0;
    Spot low_{kWidth, kHeight}, high_{0, 0};
};

// Segments that stay in one cell, added to it together: on a board of small
// pieces most segments never leave their cell.
struct CellBatch {
    int column = -1, row = -1;
    double rows = 0, steps = 0, lines = 0;

    void add(WorkGrid& grid, int c, int r, Spot a, Spot b, double fillWeight, double lineWeight) {
        if (c != column || r != row) {
            flush(grid);
            column = c;
            row = r;
        }
        const double dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
        rows += fillWeight * dy;
        steps += lineWeight * std::max(dx, dy);
        lines += lineWeight;
    }
    void flush(WorkGrid& grid) {
        if (column >= 0) {
            grid.edgeRows.addRun(row, column, column, rows);
            grid.lineSteps.addRun(row, column, column, steps);
            grid.lines.add(column, row, column, row, lines);
        }
        *this = {};
    }
};

// The whole board at zoom 1, counted exactly on the pixels drawn (or
// bounded, when small pieces are counted whole): each
// piece's outline converted twice (the fill converts the outer contour, the
// outlines every contour), the outer contour stroked closed with the fill and
// open with the outlines, its box filled and its number.
struct WholeBoard {
    DrawingWork work;
    i64 minX = 0, maxX = -1, minY = 0, maxY = -1;  // the outer contour's box

    void addBox(POINT p, bool first) {
        minX = first ? p.x : std::min<i64>(minX, p.x);
        maxX = first ? p.x : std::max<i64>(maxX, p.x);
        minY = first ? p.y : std::min<i64>(minY, p.y);
        maxY = first ? p.y : std::max<i64>(maxY, p.y);
    }
};

// One contour of a piece (of `weight` pieces that share it) into the grid
// and the whole board: the outer one filled and stroked closed, then every
// one stroked open.
void addContour(WorkGrid& grid, WholeBoard& whole, std::span<const POINT> points, bool outer,
                const ViewTransform& view, BoardScale scale, double weight, Spot& low, Spot& high) {
    RunGatherer runs(grid, outer ? weight : 0);
    CellBatch batch;
    const auto times = static_cast<i64>(weight);
    const std::size_t segments = outer ? points.size() : points.size() - 1;
    Mapped a = mapped(view, scale, points[0]);
    int column = grid.cells.column(a.spot.x), row = grid.cells.row(a.spot.y);
    for (std::size_t i = 0; i < segments; ++i) {
        const bool closing = i + 1 == points.size();
        const Mapped b = mapped(view, scale, points[closing ? 0 : i + 1]);
        const int nextColumn = grid.cells.column(b.spot.x), nextRow = grid.cells.row(b.spot.y);
        const double fillWeight = outer ? weight : 0;
        const double lineWeight = (outer && !closing ? 2 : 1) * weight;
        whole.work.linePixels += static_cast<i64>(lineWeight) * linePixels(a.pixel, b.pixel);
        if (column == nextColumn && row == nextRow) {
            batch.add(grid, column, row, a.spot, b.spot, fillWeight, lineWeight);
        } else {
            grid.addSegment(a.spot, b.spot, fillWeight, lineWeight);
        }
        if (outer) {
            whole.work.crossings += times * clippedSpan(a.pixel.y, b.pixel.y, kLargestBoardHeight);
            whole.addBox(a.pixel, i == 0);
            runs.add(a.spot, b.spot);
            low = {std::min(low.x, a.spot.x), std::min(low.y, a.spot.y)};
            high = {std::max(high.x, a.spot.x), std::max(high.y, a.spot.y)};
        }
        a = b;
        column = nextColumn;
        row = nextRow;
    }
    batch.flush(grid);
}

// A point's spot and pixel, when its image lies near enough the board (within
// a billion pixels) for truncation to keep the order of coordinates; none
// when it lies further.
std::optional<Mapped> nearSpot(const ViewTransform& view, BoardScale scale, POINT p) {
    const auto [x, y] = imageOf(view, scale, p);
    constexpr float kNear = 1.0e9f;
    if (!(std::abs(x) < kNear && std::abs(y) < kNear)) {
        return std::nullopt;
    }
    return mapped(view, scale, p);
}

// What rounding may add to a segment's length on the board, with room to
// spare: near the board a spot lies within a few thousandths of a pixel of
// its point's exact image, and farther off it is clamped, where the segment's
// own length is the larger.
constexpr double kRoundingPerSegment = 0.01;

// A piece whose box lies within two cells each way, counted whole in every
// window its box meets: its rows and steps come from one pass over its points,
// with no point mapped to the board (most pieces of a large pattern are
// small). The whole board is then bounded rather than counted. False, with
// nothing added, for a larger piece.
bool addSmallPiece(WorkGrid& grid, WholeBoard& whole, const Piece& piece, const ViewTransform& view,
                   BoardScale scale, double weight) {
    const std::int32_t outer = piece.contourSizes.empty() ? 0 : piece.contourSizes[0];
    if (outer <= 0) {
        return false;
    }
    // The box of every point: the outer contour's is the piece's bounds, and
    // the mapping keeps the order of coordinates, so its corners bound every spot.
    POINT first{piece.boundsMinX, piece.boundsMinY}, last{piece.boundsMaxX, piece.boundsMaxY};
    for (const POINT p : piece.points.subspan(static_cast<std::size_t>(outer))) {
        first = {std::min(first.x, p.x), std::min(first.y, p.y)};
        last = {std::max(last.x, p.x), std::max(last.y, p.y)};
    }
    const std::optional<Mapped> low = nearSpot(view, scale, first), high = nearSpot(view, scale, last);
    const std::optional<Mapped> outerLow = nearSpot(view, scale, {piece.boundsMinX, piece.boundsMinY});
    const std::optional<Mapped> outerHigh = nearSpot(view, scale, {piece.boundsMaxX, piece.boundsMaxY});
    if (!low || !high || !outerLow || !outerHigh) {
        return false;
    }
    const Cells& cells = grid.cells;
    const int c0 = cells.column(low->spot.x), c1 = cells.column(high->spot.x);
    const int r0 = cells.row(low->spot.y), r1 = cells.row(high->spot.y);
    if (c1 - c0 > 1 || r1 - r0 > 1) {
        return false;
    }
    OutlineSums sums;
    std::int32_t start = 0;
    for (std::size_t c = 0; c < piece.contourSizes.size(); ++c) {
        const std::int32_t size = piece.contourSizes[c];
        if (size > 0) {
            sums.addContour(piece.points.subspan(start, size), c == 0);
        }
        start += size;
    }
    const auto d = [](i64 v) { return static_cast<double>(v); };
    const double rows = scale.y * d(sums.edgeDown) + kRoundingPerSegment * d(sums.edges);
    const double steps =
        scale.x * d(sums.across) + scale.y * d(sums.down) + kRoundingPerSegment * d(sums.lines);
    grid.wholeRows.add(c0, r0, c1, r1, weight * rows);
    grid.wholeSteps.add(c0, r0, c1, r1, weight * steps);
    grid.runs.add(c0, r0, c1, r1, weight * d(sums.runs));
    grid.lines.add(c0, r0, c1, r1, weight * d(sums.lines));
    grid.addBox(outerLow->spot, outerHigh->spot, weight, outer + piece.totalPoints);
    // At zoom 1 a run of edges crosses at most one row more than its spots
    // do, and a line has at most one step more.
    const auto times = static_cast<i64>(weight);
    whole.work.crossings += times * static_cast<i64>(std::ceil(rows + d(sums.runs)));
    whole.work.linePixels += times * static_cast<i64>(std::ceil(steps + d(sums.lines)));
    whole.work.points += times * (outer + piece.totalPoints);
    whole.work.labels += times;
    whole.work.filledPixels += times *
                               clippedSpan(outerLow->pixel.x, outerHigh->pixel.x + 1, kLargestBoardWidth) *
                               clippedSpan(outerLow->pixel.y, outerHigh->pixel.y + 1, kLargestBoardHeight);
    return true;
}

void addPiece(WorkGrid& grid, WholeBoard& whole, const Piece& piece, const ViewTransform& view,
              BoardScale scale, double weight) {
    std::int32_t start = 0;
    Spot low{kWidth, kHeight}, high{0, 0};
    whole.minX = 0, whole.maxX = -1, whole.minY = 0, whole.maxY = -1;
    for (std::size_t c = 0; c < piece.contourSizes.size(); ++c) {
        const std::int32_t size = piece.contourSizes[c];
        if (size > 0) {
            addContour(grid, whole, piece.points.subspan(start, size), c == 0, view, scale, weight, low,
                       high);
        }
        start += size;
    }
    const std::int32_t outer = piece.contourSizes.empty() ? 0 : piece.contourSizes[0];
    const bool boxed = low.x <= high.x;
    grid.addBox(boxed ? low : Spot{0, 0}, boxed ? high : Spot{0, 0}, weight, outer + piece.totalPoints);
    const auto times = static_cast<i64>(weight);
    whole.work.points += times * (outer + piece.totalPoints);
    whole.work.labels += times;
    whole.work.filledPixels += times * clippedSpan(whole.minX, whole.maxX + 1, kLargestBoardWidth) *
                               clippedSpan(whole.minY, whole.maxY + 1, kLargestBoardHeight);
}

// The work inside the window of the block of cells c0 <= c < c1, r0 <= r < r1
// at `zoom`: edges and lines that do not meet it cost only their setup.
DrawingWork blockWork(const WorkGrid& grid, double zoom, int c0, int r0, int c1, int r1) {
    DrawingWork frame;
    const CellBlock<WorkGrid::kQuantities> block(grid.table, c0, r0, c1, r1);
    const double runs = grid.runs.meeting(block);
    const double lines = grid.lines.meeting(block);
    const double boxes = grid.boxes.meeting(block);
    // Rows and steps grow with the zoom, and each run or line may gain one
    // by rounding, but none has more than the window's rows or its longer
    // side; an endless zoom (0 here) leaves only those limits.
    auto grown = [zoom](double atZoomOne, double count, double most) {
        return zoom > 0 ? std::min(zoom * atZoomOne + count, most) : most;
    };
    const double crossings =
        grown(grid.edgeRows.block(block) + grid.wholeRows.meeting(block), runs, kHeight * runs);
    const double steps =
        grown(grid.lineSteps.block(block) + grid.wholeSteps.meeting(block), lines, kHeight * lines);
    const double pixels = grown(zoom * grid.boxPixels.block(block), 0, kWidth * kHeight * boxes);
    frame.points = static_cast<i64>(std::ceil(grid.boxPoints.meeting(block)));
    frame.labels = static_cast<i64>(std::ceil(boxes));
    frame.crossings = static_cast<i64>(std::ceil(crossings));
    frame.linePixels = static_cast<i64>(std::ceil(steps));
    frame.filledPixels = static_cast<i64>(std::ceil(pixels));
    frame.zoom = zoom;
    frame.windowX = (c0 + c1) * grid.cells.size / 2.0;
    frame.windowY = (r0 + r1) * grid.cells.size / 2.0;
    return frame;
}

// The costliest frame: the whole board at zoom 1, counted exactly, or the
// costliest window at each of the game's larger zooms, up to the zoom whose
// window fits in a cell; beyond, the window's size bounds every edge and
// line, which the last round (an endless zoom) counts.
DrawingWork worstFrame(const WorkGrid& grid, const DrawingWork& wholeBoard) {
    DrawingWork worst = wholeBoard;
    worst.windowX = kWidth / 2;
    worst.windowY = kHeight / 2;
    bool last = false;
    const Cells& cells = grid.cells;
    for (double zoom = kZoomStep; !last; zoom *= kZoomStep) {
        const int m = cells.windowColumns(zoom), n = cells.windowRows(zoom);
        last = m <= 2 && n <= 2;
        const double at = last ? 0.0 : zoom;
        for (int r = 0; r + n <= cells.rows; ++r) {
            for (int c = 0; c + m <= cells.columns; ++c) {
                const DrawingWork frame = blockWork(grid, at, c, r, c + m, r + n);
                if (frame.estimatedNanoseconds() > worst.estimatedNanoseconds()) {
                    worst = frame;
                }
            }
        }
    }
    return worst;
}

// Whether a window of m x n cells at `zoom`, placed at any column and row of
// `places` (inclusive), costs more than the budget. The block that every one
// of those windows lies in bounds each of their costs, so the places are
// split only while that bound exceeds the budget: a pattern within it is
// settled by a few blocks rather than a window at every place.
struct Places {
    int c0, r0, c1, r1;
};
bool someWindowOverBudget(const WorkGrid& grid, double zoom, int m, int n, Places places, DrawingWork& over) {
    const DrawingWork bound = blockWork(grid, zoom, places.c0, places.r0, places.c1 + m, places.r1 + n);
    if (bound.estimatedNanoseconds() <= kMaxFrameNanoseconds) {
        return false;
    }
    if (places.c0 == places.c1 && places.r0 == places.r1) {
        over = bound;
        return true;
    }
    Places first = places, second = places;
    if (places.c1 - places.c0 >= places.r1 - places.r0) {
        first.c1 = (places.c0 + places.c1) / 2;
        second.c0 = first.c1 + 1;
    } else {
        first.r1 = (places.r0 + places.r1) / 2;
        second.r0 = first.r1 + 1;
    }
    return someWindowOverBudget(grid, zoom, m, n, first, over) ||
           someWindowOverBudget(grid, zoom, m, n, second, over);
}

// Every piece at its limits, without the grid: each edge of an outer outline
// crossing every row of a window, each line (an outline is drawn twice) as
// long as the window's longer side, each piece filling the window. Small
// patterns fit even this, and need no grid.
DrawingWork atTheirLimits(std::span<const Piece> pieces) {
    DrawingWork work;
    for (const Piece& piece : pieces) {
        const i64 outer = piece.contourSizes.empty() ? 0 : piece.contourSizes[0];
        work.points += outer + piece.totalPoints;
        work.crossings += i64{kLargestBoardHeight} * outer;
        work.linePixels += 2 * i64{std::max(kLargestBoardWidth, kLargestBoardHeight)} * piece.totalPoints;
        work.filledPixels += i64{kLargestBoardWidth} * kLargestBoardHeight;
        ++work.labels;
    }
    return work;
}

// The cells between the corners of every point's box, and the top left one
// when a piece has no outer outline (its box is counted there), with a cell
// to spare on each side for rounding where a segment crosses a row of cells.
// The mapping to the board keeps the order of coordinates, so the corners'
// cells bound every point's. An outer outline's box is the piece's bounds;
// only the points after it are looked at.
CellRange reachedCells(const Cells& cells, std::span<const Piece> pieces, const ViewTransform& view,
                       BoardScale scale) {
    POINT low{std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max()};
    POINT high{std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::min()};
    const auto add = [&](POINT p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    };
    bool unboxed = false;
    forEachOutline(pieces, [&](const Piece& piece, std::size_t) {
        const std::size_t outer = piece.contourSizes.empty() ? 0 : std::max(piece.contourSizes[0], 0);
        if (outer == 0) {
            unboxed = true;
        } else {
            add({piece.boundsMinX, piece.boundsMinY});
            add({piece.boundsMaxX, piece.boundsMaxY});
        }
        for (const POINT p : piece.points.subspan(std::min(outer, piece.points.size()))) {
            add(p);
        }
    });
    Spot first{kWidth, kHeight}, last{0, 0};
    if (low.x <= high.x) {
        first = mapped(view, scale, low).spot;
        last = mapped(view, scale, high).spot;
    }
    if (unboxed || first.x > last.x) {
        first = {0, 0};
        last = {std::max(last.x, 0.0), std::max(last.y, 0.0)};
    }
    return {std::max(cells.column(first.x) - 1, 0), std::min(cells.column(last.x) + 1, cells.columns - 1),
            std::max(cells.row(first.y) - 1, 0), std::min(cells.row(last.y) + 1, cells.rows - 1)};
}

// Small pieces are counted whole when `smallWhole`; the whole board is then
// bounded rather than counted exactly.
std::unique_ptr<WorkGrid> workGridOf(Cells cells, std::span<const Piece> pieces, const ViewTransform& view,
                                     WholeBoard& whole, bool smallWhole) {
    const BoardScale scale = boardScale(view);
    auto grid = std::make_unique<WorkGrid>(cells, reachedCells(cells, pieces, view, scale));
    forEachOutline(pieces, [&](const Piece& piece, std::size_t sharing) {
        const auto weight = static_cast<double>(sharing);
        if (!smallWhole || !addSmallPiece(*grid, whole, piece, view, scale, weight)) {
            addPiece(*grid, whole, piece, view, scale, weight);
        }
    });
    grid->finish();
    return grid;
}

// A window at some zoom and place over the budget, if the grid finds one.
std::optional<DrawingWork> windowOverBudget(const WorkGrid& grid) {
    const Cells& cells = grid.cells;
    bool last = false;
    for (double zoom = kZoomStep; !last; zoom *= kZoomStep) {
        const int m = cells.windowColumns(zoom), n = cells.windowRows(zoom);
        last = m <= 2 && n <= 2;
        DrawingWork over;
        if (someWindowOverBudget(grid, last ? 0.0 : zoom, m, n, {0, 0, cells.columns - m, cells.rows - n},
                                 over)) {
            return over;
        }
    }
    return std::nullopt;
}

// The fine cells with small pieces counted whole: true when no frame is over
// the budget by that bound.
bool fitsWithSmallPiecesWhole(std::span<const Piece> pieces, const ViewTransform& largestBoard) {
    WholeBoard whole;
    const std::unique_ptr<WorkGrid> grid = workGridOf(Cells(kFineCell), pieces, largestBoard, whole, true);
    return whole.work.estimatedNanoseconds() <= kMaxFrameNanoseconds && !windowOverBudget(*grid);
}

}  // namespace

DrawingWork measureDrawingWork(std::span<const Piece> pieces, const ViewTransform& view) {
    WholeBoard whole;
    const std::unique_ptr<WorkGrid> grid = workGridOf(Cells(kFineCell), pieces, view, whole, false);
    return worstFrame(*grid, whole.work);
}

// Each bound is an upper bound of the real work, so the pattern is drawn in
// time as soon as one of them fits: the cheapest are tried first.
std::string findDrawingFault(std::span<const Piece> pieces, const ViewTransform& largestBoard) {
    const DrawingWork limits = atTheirLimits(pieces);
    if (limits.estimatedNanoseconds() <= kMaxFrameNanoseconds) {
        return {};
    }
    if (limits.points > kCoarseFirstPoints && fitsWithSmallPiecesWhole(pieces, largestBoard)) {
        return {};
    }
    std::optional<DrawingWork> over;
    for (const int side : {kCoarseCell, kFineCell}) {
        if (side == kCoarseCell && limits.points > kCoarseFirstPoints) {
            continue;
        }
        WholeBoard whole;
        const std::unique_ptr<WorkGrid> grid = workGridOf(Cells(side), pieces, largestBoard, whole, false);
        if (whole.work.estimatedNanoseconds() > kMaxFrameNanoseconds) {
            return findDrawingFault(whole.work);
        }
        over = windowOverBudget(*grid);
        if (!over) {
            return {};
        }
    }
    return findDrawingFault(*over);
}

std::string findDrawingFault(const DrawingWork& work) {
    const i64 needed = work.estimatedNanoseconds();
    if (needed <= kMaxFrameNanoseconds) {
        return {};
    }
    return "one frame would take about " + std::to_string(needed / 1'000'000) + " ms to draw (at most " +
           std::to_string(kMaxFrameNanoseconds / 1'000'000) + ")";
}
