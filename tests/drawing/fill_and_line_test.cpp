// Boxes, lines and pens, pixel by pixel.
#include <gtest/gtest.h>

#include "platform/drawing.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

TEST(FillRect, CoversLeftAndTopButNotRightAndBottom) {
    TestCanvas canvas(6, 5);
    HBRUSH black = CreateSolidBrush(kInk);
    const RECT r{1, 1, 4, 3};
    FillRect(canvas.dc(), &r, black);
    EXPECT_EQ(canvas.picture(),
              "......\n"
              ".###..\n"
              ".###..\n"
              "......\n"
              "......\n");
    DeleteObject(black);
}

TEST(FillRect, EmptyOrInvertedBoxesAndTheNullBrushPaintNothing) {
    TestCanvas canvas(6, 5);
    HBRUSH black = CreateSolidBrush(kInk);
    const RECT empty{2, 2, 2, 4};
    const RECT inverted{4, 4, 1, 1};
    const RECT whole{0, 0, 6, 5};
    FillRect(canvas.dc(), &empty, black);
    FillRect(canvas.dc(), &inverted, black);
    FillRect(canvas.dc(), &whole, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(canvas.count(kPaper), 30);
    DeleteObject(black);
}

TEST(FillRect, ClipsCoordinatesFarOutside) {
    TestCanvas canvas(4, 3);
    HBRUSH black = CreateSolidBrush(kInk);
    const RECT huge{-1000000, -1000000, 1000000, 1000000};
    FillRect(canvas.dc(), &huge, black);
    EXPECT_EQ(canvas.count(kInk), 12);
    const RECT extreme{INT32_MIN, INT32_MIN, INT32_MAX, 2};
    FillRect(canvas.dc(), &extreme, black);
    DeleteObject(black);
}

TEST(Line, CoversItsStartAndNotItsEnd) {
    TestCanvas canvas(6, 3);
    canvas.use(kInk, 1, kPaper);
    const POINT line[] = {{1, 1}, {4, 1}};
    Polyline(canvas.dc(), line, 2);
    EXPECT_EQ(canvas.picture(),
              "......\n"
              ".###..\n"
              "......\n");
}

TEST(Line, ReversedCoversTheSamePixelsShiftedByItsEnds) {
    TestCanvas forward(6, 3);
    forward.use(kInk, 1, kPaper);
    const POINT there[] = {{0, 0}, {4, 1}};
    Polyline(forward.dc(), there, 2);
    EXPECT_EQ(forward.picture(),
              "##....\n"
              "..##..\n"
              "......\n");

    TestCanvas back(6, 3);
    back.use(kInk, 1, kPaper);
    const POINT again[] = {{4, 1}, {0, 0}};
    Polyline(back.dc(), again, 2);
    EXPECT_EQ(back.picture(),
              ".#....\n"
              "..###.\n"
              "......\n");
}

TEST(Line, SteepLinesStepOnePixelPerRow) {
    TestCanvas canvas(4, 6);
    canvas.use(kInk, 0, kPaper);
    const POINT line[] = {{1, 0}, {2, 5}};
    Polyline(canvas.dc(), line, 2);
    // x = 1 + round(y / 5), halves up: 1, 1, 1, 2, 2; row 5 is the end.
    EXPECT_EQ(canvas.picture(),
              ".#..\n"
              ".#..\n"
              ".#..\n"
              "..#.\n"
              "..#.\n"
              "....\n");
}

TEST(Polyline, DrawsEveryVertexButTheLast) {
    TestCanvas canvas(5, 5);
    canvas.use(kInk, 1, kPaper);
    const POINT path[] = {{0, 0}, {3, 0}, {3, 3}, {1, 3}};
    Polyline(canvas.dc(), path, 4);
    EXPECT_EQ(canvas.picture(),
              "####.\n"
              "...#.\n"
              "...#.\n"
              "..##.\n"
              ".....\n");
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

TEST(Pen, WidthThreeDrawsAThreePixelStrokeWithSquareEnds) {
    TestCanvas canvas(9, 6);
    canvas.use(kInk, 3, kPaper);
    const POINT line[] = {{2, 3}, {6, 3}};
    Polyline(canvas.dc(), line, 2);
    EXPECT_EQ(canvas.picture(),
              ".........\n"
              ".........\n"
              ".#######.\n"
              ".#######.\n"
              ".#######.\n"
              ".........\n");
}

TEST(Rectangle, OnePixelPenOnTheOutermostPixelsAndBrushInside) {
    TestCanvas canvas(7, 6);
    canvas.use(kPen, 1, kInk);
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    EXPECT_EQ(canvas.picture(),
              ".......\n"
              ".ooooo.\n"
              ".o###o.\n"
              ".o###o.\n"
              ".ooooo.\n"
              ".......\n");
}

TEST(Rectangle, ThreePixelPenStraddlesTheEdgeWithTheNullBrush) {
    TestCanvas canvas(12, 11);
    canvas.useNullBrush(kPen, 3);
    Rectangle(canvas.dc(), 2, 2, 10, 9);
    EXPECT_EQ(canvas.picture(),
              "............\n"
              ".oooooooooo.\n"
              ".oooooooooo.\n"
              ".oooooooooo.\n"
              ".ooo....ooo.\n"
              ".ooo....ooo.\n"
              ".ooo....ooo.\n"
              ".oooooooooo.\n"
              ".oooooooooo.\n"
              ".oooooooooo.\n"
              "............\n");
}

TEST(Rectangle, ClippedFrameKeepsTheVisiblePart) {
    TestCanvas canvas(5, 4);
    canvas.use(kPen, 1, kInk);
    Rectangle(canvas.dc(), -1000000, 2, 1000000, 1000000);
    EXPECT_EQ(canvas.picture(),
              ".....\n"
              ".....\n"
              "ooooo\n"
              "#####\n");
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
