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
    // The sum over the cells before column c and row r, once finished.
    double sum(int quantity, int c, int r) const {
        const int x = std::clamp(c, kept_.firstColumn, kept_.lastColumn + 1) - kept_.firstColumn;
        const int y = std::clamp(r, kept_.firstRow, kept_.lastRow + 1) - kept_.firstRow;
        return cells_[index(x, y)][quantity];
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
    using Cell = std::array<double, Quantities>;
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * (width_ + 1) + x; }
    int columns_, rows_;
    CellRange kept_;
    int width_, height_;
    std::vector<Cell> cells_;
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

    // The sum over columns c0 <= c < c1 and rows r0 <= r < r1, once the table is finished.
    double block(int c0, int r0, int c1, int r1) const {
        return table_.sum(quantity_, c1, r1) - table_.sum(quantity_, c0, r1) - table_.sum(quantity_, c1, r0) +
               table_.sum(quantity_, c0, r0);
    }

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
        : columns_(table.columns()),
          rows_(table.rows()),
          rightBottom_(table, first),
          rightTop_(table, first + 1),
          leftBottom_(table, first + 2),
          leftTop_(table, first + 3) {}
    void add(int left, int top, int right, int bottom, double weight) {
        total_ += weight;
        rightBottom_.addRun(bottom, right, right, weight);
        rightTop_.addRun(top, right, right, weight);
        leftBottom_.addRun(bottom, left, left, weight);
        leftTop_.addRun(top, left, left, weight);
    }
    // Boxes meeting columns c0 <= c < c1 and rows r0 <= r < r1.
    double meeting(int c0, int r0, int c1, int r1) const {
        const double leftOf = rightBottom_.block(0, 0, c0, rows_);
        const double rightOf = leftTop_.block(c1, 0, columns_, rows_);
        const double above = rightBottom_.block(0, 0, columns_, r0);
        const double below = leftTop_.block(0, r1, columns_, rows_);
        const double leftAbove = rightBottom_.block(0, 0, c0, r0);
        const double leftBelow = rightTop_.block(0, r1, c0, rows_);
        const double rightAbove = leftBottom_.block(c1, 0, columns_, r0);
        const double rightBelow = leftTop_.block(c1, r1, columns_, rows_);
        return total_ - leftOf - rightOf - above - below + leftAbove + leftBelow + rightAbove + rightBelow;
    }

  private:
    int columns_, rows_;
    double total_ = 0;
    CellSums<Quantities> rightBottom_, rightTop_, leftBottom_, leftTop_;
};
