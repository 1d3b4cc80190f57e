// Sums over blocks of cells, against sums taken cell by cell: runs and boxes
// placed at random within a range of kept cells, blocks asked anywhere.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "pattern/cell_sums.h"

TEST(CellSums, BlocksAndBoxesMeetingThemMatchACountCellByCell) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int columns = 1 + static_cast<int>(random() % 9), rows = 1 + static_cast<int>(random() % 9);
        auto within = [&](int from, int to) { return from + static_cast<int>(random() % (to - from + 1)); };
        const CellRange kept{within(0, columns - 1), 0, within(0, rows - 1), 0};
        const CellRange sized{kept.firstColumn, within(kept.firstColumn, columns - 1), kept.firstRow,
                              within(kept.firstRow, rows - 1)};
        CellTable<5> table(columns, rows, sized);
        CellSums<5> sums(table, 0);
        BoxCount<5> boxes(table, 1);
        std::vector<std::vector<double>> cells(columns, std::vector<double>(rows, 0.0));
        struct Box {
            int left, top, right, bottom;
        };
        std::vector<Box> placed;
        for (int k = 0; k < 6; ++k) {
            const int row = within(sized.firstRow, sized.lastRow),
                      c0 = within(sized.firstColumn, sized.lastColumn);
            const int c1 = within(c0, sized.lastColumn);
            sums.addRun(row, c0, c1, k + 1.0);
            for (int c = c0; c <= c1; ++c) {
                cells[c][row] += k + 1.0;
            }
            const int left = within(sized.firstColumn, sized.lastColumn),
                      top = within(sized.firstRow, sized.lastRow);
            placed.push_back({left, top, within(left, sized.lastColumn), within(top, sized.lastRow)});
            boxes.add(placed.back().left, placed.back().top, placed.back().right, placed.back().bottom, 1.0);
        }
        table.finish();
        const int c0 = within(0, columns), c1 = within(c0, columns), r0 = within(0, rows),
                  r1 = within(r0, rows);
        double expectedSum = 0, expectedBoxes = 0;
        for (int c = c0; c < c1; ++c) {
            for (int r = r0; r < r1; ++r) {
                expectedSum += cells[c][r];
            }
        }
        for (const Box& b : placed) {
            expectedBoxes += (b.left < c1 && b.right >= c0 && b.top < r1 && b.bottom >= r0) ? 1 : 0;
        }
        EXPECT_EQ(sums.block(c0, r0, c1, r1), expectedSum) << round;
        EXPECT_EQ(boxes.meeting(c0, r0, c1, r1), expectedBoxes) << round;
    }
}
