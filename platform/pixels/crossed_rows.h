// The polygon fill's last step: rows of crossing bits into pixels.
//
// Each row of a polygon's box is a mask with a bit a column, flipped by every
// edge that crosses the row at that column. A pixel is inside when an odd
// number of bits at or left of it are set (the even-odd rule).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/pixels/surface.h"

namespace platform {

struct CrossedRows {
    std::uint64_t* words;  // `rows` rows of `stride` words, all cleared once filled
    std::size_t stride;
    std::int64_t rows;
    // Null, or a flip at column 0 for each row and the one after: summed down
    // the rows, it is an odd count of crossings left of the box.
    const std::uint8_t* leftFlips;
    Pixel* pixels;             // column 0 of the first row
    std::int64_t pixelStride;  // from a row's pixels to the next row's
    std::int64_t end;          // no pixel at or right of this column is drawn; at most stride x 64
};

// Fills the inside pixels of every row in `colour`, with masked stores of 16
// pixels where the processor has them: no branch on where a run starts or
// how long it is, which on a board are as good as random.
void fillCrossedRows(const CrossedRows& rows, Pixel colour);

// The same, run by run with fillPixels: where there are no masked stores, and
// what the other way is tested against.
void fillCrossedRowsByRuns(const CrossedRows& rows, Pixel colour);

}  // namespace platform
