// Sums of quantities over blocks of a grid of cells, each block's sum found
// in a few look-ups: the drawing work of a pattern is bounded window by
// window from them.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <vector>

// The cells kept, first to last: the sums beyond them repeat those at their
// edge, so data that lies in a corner of the grid costs only that corner.
struct CellRange {
    int firstColumn, lastColumn, firstRow, lastRow;
};

// `Quantities` quantities per cell of a grid of columns x rows, kept side by
// side so that one pass over the cells sums them all: filled along rows of
// cells as differences, then turned into tables of sums from the top left.
template <int Quantities>
class CellTable {
  public:
    CellTable(int columns, int rows, CellRange kept)
        : columns_(columns),
          rows_(rows),
          kept_(kept),
          width_(kept.lastColumn - kept.firstColumn + 1),
          height_(kept.lastRow - kept.firstRow + 1),
          cells_(static_cast<std::size_t>(width_ + 1) * (height_ + 1)) {}

    int columns() const { return columns_; }
    int rows() const { return rows_; }

    // Adds to the sums from column c and row r on (c and r count the cells
    // before them), within the cells kept.
    void add(int quantity, int c, int r, double value) {
        assert(c > kept_.firstColumn && c <= afterLastColumn() && r > kept_.firstRow &&
               r <= kept_.lastRow + 1);
        cells_[index(c - kept_.firstColumn, r - kept_.firstRow)][quantity] += value;
    }
    int afterLastColumn() const { return kept_.lastColumn + 1; }
    using Cell = std::array<double, Quantities>;
    // Every quantity's sum over the cells before column c and row r, once finished.
    const Cell& sums(int c, int r) const {
        const int x = std::clamp(c, kept_.firstColumn, kept_.lastColumn + 1) - kept_.firstColumn;
        const int y = std::clamp(r, kept_.firstRow, kept_.lastRow + 1) - kept_.firstRow;
        return cells_[index(x, y)];
    }

    void finish() {
        for (int r = 1; r <= height_; ++r) {
            for (int c = 1; c <= width_; ++c) {
                Cell& cell = cells_[index(c, r)];
                const Cell& left = cells_[index(c - 1, r)];
                for (int q = 0; q < Quantities; ++q) {
                    cell[q] += left[q];  // the row's differences summed: the cell's value
                }
            }
        }
        for (int r = 1; r <= height_; ++r) {
            for (int c = 1; c <= width_; ++c) {
                Cell& cell = cells_[index(c, r)];
                const Cell &up = cells_[index(c, r - 1)], &left = cells_[index(c - 1, r)],
                           &upLeft = cells_[index(c - 1, r - 1)];
                for (int q = 0; q < Quantities; ++q) {
                    cell[q] += up[q] + left[q] - upLeft[q];
                }
            }
        }
    }

  private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * (width_ + 1) + x; }
    int columns_, rows_;
    CellRange kept_;
    int width_, height_;
    std::vector<Cell> cells_;
};

// A block of cells c0 <= c < c1, r0 <= r < r1, with the sums at the corners
// that its sums and its box counts are made of: each corner is looked up once
// for every quantity.
template <int Quantities>
struct CellBlock {
    using Cell = typename CellTable<Quantities>::Cell;
    const Cell &c0r0, &c1r0, &c0r1, &c1r1;               // the block's own corners
    const Cell &c0End, &c1End, &endR0, &endR1, &endEnd;  // on the grid's last column and row

    CellBlock(const CellTable<Quantities>& t, int c0, int r0, int c1, int r1)
        : c0r0(t.sums(c0, r0)),
          c1r0(t.sums(c1, r0)),
          c0r1(t.sums(c0, r1)),
          c1r1(t.sums(c1, r1)),
          c0End(t.sums(c0, t.rows())),
          c1End(t.sums(c1, t.rows())),
          endR0(t.sums(t.columns(), r0)),
          endR1(t.sums(t.columns(), r1)),
          endEnd(t.sums(t.columns(), t.rows())) {}
};

// One quantity per cell, summed over any block of cells.
template <int Quantities>
class CellSums {
  public:
    CellSums(CellTable<Quantities>& table, int quantity) : table_(table), quantity_(quantity) {}

    // Adds `value` to every cell of row `row` from column c0 to c1.
    void addRun(int row, int c0, int c1, double value) {
        table_.add(quantity_, c0 + 1, row + 1, value);
        if (c1 + 2 <= table_.afterLastColumn()) {  // nothing lies past the last cell kept
            table_.add(quantity_, c1 + 2, row + 1, -value);
        }
    }

    // The sum over the block, once the table is finished.
    double block(const CellBlock<Quantities>& b) const {
        const int q = quantity_;
        return b.c1r1[q] - b.c0r1[q] - b.c1r0[q] + b.c0r0[q];
    }
    double block(int c0, int r0, int c1, int r1) const { return block({table_, c0, r0, c1, r1}); }

  private:
    CellTable<Quantities>& table_;
    int quantity_;
};

// How many boxes of cells meet a block: all of them but those wholly left of
// it, right of it, above or below it, with those beyond two sides at once
// added back. Each count comes from a table of boxes by two of their sides,
// the four quantities from `first` on.
template <int Quantities>
class BoxCount {
  public:
    BoxCount(CellTable<Quantities>& table, int first)
        : table_(table),
          rightBottom_(table, first),
          rightTop_(table, first + 1),
          leftBottom_(table, first + 2),
          leftTop_(table, first + 3),
          first_(first) {}
    void add(int left, int top, int right, int bottom, double weight) {
        total_ += weight;
        rightBottom_.addRun(bottom, right, right, weight);
        rightTop_.addRun(top, right, right, weight);
        leftBottom_.addRun(bottom, left, left, weight);
        leftTop_.addRun(top, left, left, weight);
    }
    // Boxes meeting the block. Nothing lies before the first column or row,
    // so a block from there has the sum at its far corner alone.
    double meeting(const CellBlock<Quantities>& b) const {
        const int rightBottom = first_, rightTop = first_ + 1, leftBottom = first_ + 2, leftTop = first_ + 3;
        const double leftOf = b.c0End[rightBottom];
        const double rightOf = b.endEnd[leftTop] - b.c1End[leftTop];
        const double above = b.endR0[rightBottom];
        const double below = b.endEnd[leftTop] - b.endR1[leftTop];
        const double leftAbove = b.c0r0[rightBottom];
        const double leftBelow = b.c0End[rightTop] - b.c0r1[rightTop];
        const double rightAbove = b.endR0[leftBottom] - b.c1r0[leftBottom];
        const double rightBelow = b.endEnd[leftTop] - b.c1End[leftTop] - b.endR1[leftTop] + b.c1r1[leftTop];
        return total_ - leftOf - rightOf - above - below + leftAbove + leftBelow + rightAbove + rightBelow;
    }
    double meeting(int c0, int r0, int c1, int r1) const { return meeting({table_, c0, r0, c1, r1}); }

  private:
    const CellTable<Quantities>& table_;
    double total_ = 0;
    CellSums<Quantities> rightBottom_, rightTop_, leftBottom_, leftTop_;
    int first_;
};
