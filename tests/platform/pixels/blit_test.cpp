// Block copies and stretched copies, pixel by pixel.
#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "tests/support/test_canvas.h"

namespace drawing_test {
namespace {

// Every pixel of the canvas is expected(x, y).
template <typename Expected>
void expectEach(TestCanvas& canvas, Expected expected) {
    for (int y = 0; y < canvas.surface().height(); ++y) {
        for (int x = 0; x < canvas.surface().width(); ++x) {
            EXPECT_EQ(canvas.at(x, y), expected(x, y)) << x << "," << y;
        }
    }
}

TEST(BitBlt, CopiesPixelForPixelAndKeepsTheDestinationWhereTheSourceEnds) {
    CoordinateCanvas source(8, 8);
    TestCanvas canvas(6, 6);
    BitBlt(canvas.dc(), 1, 2, 3, 2, source.dc(), 4, 5, SRCCOPY);
    expectEach(canvas, [](int x, int y) {
        return x >= 1 && x < 4 && y >= 2 && y < 4 ? RGB(x + 3, y + 3, 0) : kPaper;
    });
    CoordinateCanvas small(4, 4);
    TestCanvas edge(6, 6);
    BitBlt(edge.dc(), 0, 0, 6, 6, small.dc(), 2, -1, SRCCOPY);  // source rows -1 ... 4, columns 2 ... 7
    expectEach(edge, [](int x, int y) { return x < 2 && y >= 1 && y < 5 ? RGB(x + 2, y - 1, 0) : kPaper; });
}

TEST(StretchBlt, SamplesTheSourcePixelUnderEachDestinationCentre) {
    struct Case {
        const char* rule;
        int sourceX, sourceY, sourceWidth, sourceHeight;
        std::vector<int> columns, rows;  // of the source, for each destination column and row
    };
    const Case cases[] = {
        {"doubling repeats each pixel twice", 0, 0, 3, 2, {0, 0, 1, 1, 2, 2}, {0, 0, 1, 1}},
        {"halving takes every second pixel", 0, 0, 8, 8, {1, 3, 5, 7}, {1, 3, 5, 7}},
        // Three columns onto five: centres at 0.3, 0.9, 1.5, 2.1, 2.7 source pixels.
        // Eight rows onto three: centres at 1.33, 4, 6.67, offset by the source's top row 2.
        {"uneven scales", 4, 2, 3, 8, {4, 4, 5, 6, 6}, {3, 6, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        CoordinateCanvas source(10, 10);
        const int width = static_cast<int>(c.columns.size());
        const int height = static_cast<int>(c.rows.size());
        TestCanvas canvas(width, height);
        StretchBlt(canvas.dc(), 0, 0, width, height, source.dc(), c.sourceX, c.sourceY, c.sourceWidth,
                   c.sourceHeight, SRCCOPY);
        expectEach(canvas, [&](int x, int y) {
            return RGB(c.columns[static_cast<std::size_t>(x)], c.rows[static_cast<std::size_t>(y)], 0);
        });
    }
}

TEST(StretchBlt, ClipsAHugeDestinationAndDrawsNothingForNonPositiveSizes) {
    CoordinateCanvas source(4, 4);
    TestCanvas canvas(5, 5);
    // Each source pixel becomes a 500000-pixel square; the canvas sees the corner of source pixel (1, 1).
    StretchBlt(canvas.dc(), -499998, -499998, 2000000, 2000000, source.dc(), 0, 0, 4, 4, SRCCOPY);
    expectEach(canvas, [](int x, int y) { return RGB(x >= 2 ? 1 : 0, y >= 2 ? 1 : 0, 0); });
    TestCanvas empty(4, 4);
    StretchBlt(empty.dc(), 0, 0, 0, 4, source.dc(), 0, 0, 4, 4, SRCCOPY);
    StretchBlt(empty.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 4, -4, SRCCOPY);
    EXPECT_EQ(empty.count(kPaper), 16);
}

}  // namespace
}  // namespace drawing_test
