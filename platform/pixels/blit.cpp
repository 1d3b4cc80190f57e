#include "platform/pixels/blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

namespace {

using i64 = std::int64_t;
using i128 = __int128;

// Where destination index i (0 <= i < size) samples a source run of `sourceSize`.
i64 sampleAt(i64 i, i64 size, i64 sourceSize) {
    return static_cast<i64>((static_cast<i128>(2 * i + 1) * sourceSize) / (static_cast<i128>(2) * size));
}

thread_local std::vector<i64> columnScratch;

}  // namespace

void copyBlock(const Canvas& dest, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
               const Surface& source, std::int64_t sourceX, std::int64_t sourceY) {
    if (dest.empty() || width <= 0 || height <= 0) {
        return;
    }
    x += dest.originX;
    y += dest.originY;
    // Narrow the block to what both the clip and the source can give.
    i64 left = std::max<i64>({0, dest.clipLeft - x, -sourceX});
    i64 right = std::min<i64>({width, dest.clipRight - x, source.width() - sourceX});
    i64 top = std::max<i64>({0, dest.clipTop - y, -sourceY});
    i64 bottom = std::min<i64>({height, dest.clipBottom - y, source.height() - sourceY});
    if (left >= right || top >= bottom) {
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(right - left) * sizeof(Pixel);
    auto copyRow = [&](i64 j) {
        const Pixel* from = source.row(static_cast<int>(sourceY + j)) + (sourceX + left);
        Pixel* to = dest.surface->row(static_cast<int>(y + j)) + (x + left);
        std::memmove(to, from, bytes);
    };
    // Moving a block down its own surface goes from the bottom row up, so no
    // row is overwritten before it is read.
    if (&source == dest.surface && y > sourceY) {
        for (i64 j = bottom - 1; j >= top; --j) {
            copyRow(j);
        }
    } else {
        for (i64 j = top; j < bottom; ++j) {
            copyRow(j);
        }
    }
}

void stretchBlock(const Canvas& dest, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                  const Surface& source, std::int64_t sourceX, std::int64_t sourceY, std::int64_t sourceWidth,
                  std::int64_t sourceHeight) {
    if (dest.empty() || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        return;
    }
    x += dest.originX;
    y += dest.originY;
    const i64 left = std::max<i64>(0, dest.clipLeft - x);
    const i64 right = std::min<i64>(width, dest.clipRight - x);
    const i64 top = std::max<i64>(0, dest.clipTop - y);
    const i64 bottom = std::min<i64>(height, dest.clipBottom - y);
    if (left >= right || top >= bottom) {
        return;
    }
    auto& columns = columnScratch;
    columns.resize(static_cast<std::size_t>(right - left));
    bool allInside = true;
    for (i64 i = left; i < right; ++i) {
        i64 column = sourceX + sampleAt(i, width, sourceWidth);
        if (column < 0 || column >= source.width()) {
            column = -1;
            allInside = false;
        }
        columns[static_cast<std::size_t>(i - left)] = column;
    }
    for (i64 j = top; j < bottom; ++j) {
        const i64 sourceRow = sourceY + sampleAt(j, height, sourceHeight);
        if (sourceRow < 0 || sourceRow >= source.height()) {
            continue;
        }
        const Pixel* from = source.row(static_cast<int>(sourceRow));
        Pixel* to = dest.surface->row(static_cast<int>(y + j)) + (x + left);
        if (allInside) {
            for (const i64 column : columns) {
                *to++ = from[column];
            }
        } else {
            for (const i64 column : columns) {
                if (column >= 0) {
                    *to = from[column];
                }
                ++to;
            }
        }
    }
}

}  // namespace platform
