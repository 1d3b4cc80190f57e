// Boxes, lines and pens, pixel by pixel.
#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/drawing.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

TEST(FillRect, CoversLeftAndTopButNotRightAndBottomAndClipsFarCoordinates) {
    TestCanvas canvas(6, 5);
    HBRUSH black = CreateSolidBrush(kInk);
    // Empty and inverted boxes, and the null brush, paint nothing.
    for (const RECT r : {RECT{2, 2, 2, 4}, RECT{4, 4, 1, 1}}) {
        FillRect(canvas.dc(), &r, black);
    }
    const RECT whole{0, 0, 6, 5};
    FillRect(canvas.dc(), &whole, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(canvas.count(kPaper), 30);
    const RECT r{1, 1, 4, 3};
    FillRect(canvas.dc(), &r, black);
    EXPECT_EQ(canvas.picture(), rows("...... .###.. .###.. ...... ......"));
    const RECT huge{-1000000, -1000000, 1000000, 1000000};
    FillRect(canvas.dc(), &huge, black);
    EXPECT_EQ(canvas.count(kInk), 30);
    const RECT extreme{INT32_MIN, INT32_MIN, INT32_MAX, 2};
    FillRect(canvas.dc(), &extreme, black);
    DeleteObject(black);
}

struct LineCase {
    const char* rule;
    int width, height, pen;
    std::vector<POINT> path;
    const char* picture;
};

TEST(Polyline, DrawsEachStepFromItsStartUpToItsEnd) {
    const LineCase cases[] = {
        {"covers its start, not its end", 6, 3, 1, {{1, 1}, {4, 1}}, "...... .###.. ......"},
        {"a shallow line", 6, 3, 1, {{0, 0}, {4, 1}}, "##.... ..##.. ......"},
        {"reversed: the same steps from the other end", 6, 3, 1, {{4, 1}, {0, 0}}, ".#.... ..###. ......"},
        // x = 1 + round(y / 5), halves up: 1, 1, 1, 2, 2; row 5 is the end.
        {"steep, width 0", 4, 6, 0, {{1, 0}, {2, 5}}, ".#.. .#.. .#.. ..#. ..#. ...."},
        {"every vertex but the last",
         5,
         5,
         1,
         {{0, 0}, {3, 0}, {3, 3}, {1, 3}},
         "####. ...#. ...#. ..##. ....."},
        {"three pixels across, square ends",
         9,
         6,
         3,
         {{2, 3}, {6, 3}},
         "......... ......... .#######. .#######. .#######. ........."},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.rule);
        TestCanvas canvas(c.width, c.height);
        canvas.use(kInk, c.pen, kPaper);
        Polyline(canvas.dc(), c.path.data(), static_cast<int>(c.path.size()));
        EXPECT_EQ(canvas.picture(), rows(c.picture));
    }
}

TEST(Pen, WidthZeroDrawsLikeWidthOne) {
    TestCanvas thin(9, 7);
    TestCanvas zero(9, 7);
    thin.use(kInk, 1, kPaper);
    zero.use(kInk, 0, kPaper);
    const POINT path[] = {{0, 0}, {8, 3}, {2, 6}, {5, 1}};
    Polyline(thin.dc(), path, 4);
    Polyline(zero.dc(), path, 4);
    EXPECT_EQ(thin.picture(), zero.picture());
    EXPECT_GT(thin.count(kInk), 10);
}

TEST(Rectangle, PenOnTheOutermostPixelsOrStraddlingTheEdgeAndBrushInside) {
    TestCanvas canvas(7, 6);
    canvas.use(kPen, 1, kInk);
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    EXPECT_EQ(canvas.picture(), rows("....... .ooooo. .o###o. .o###o. .ooooo. ......."));

    TestCanvas wide(12, 11);
    wide.useNullBrush(kPen, 3);
    Rectangle(wide.dc(), 2, 2, 10, 9);
    EXPECT_EQ(wide.picture(),
              rows("............ .oooooooooo. .oooooooooo. .oooooooooo. .ooo....ooo. .ooo....ooo. "
                   ".ooo....ooo. .oooooooooo. .oooooooooo. .oooooooooo. ............"));

    TestCanvas clipped(5, 4);
    clipped.use(kPen, 1, kInk);
    Rectangle(clipped.dc(), -1000000, 2, 1000000, 1000000);
    EXPECT_EQ(clipped.picture(), rows("..... ..... ooooo #####"));
}

TEST(Line, FarEndpointsGiveTheSamePixelsAsTheExactLine) {
    TestCanvas canvas(20, 20);
    canvas.use(kInk, 1, kPaper);
    const POINT line[] = {{-1000000, -1000000 + 5}, {1000000, 1000000 + 5}};
    Polyline(canvas.dc(), line, 2);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            EXPECT_EQ(canvas.at(x, y) == kInk, y == x + 5) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace drawing_test
