// Ellipses: the inside of the box's inscribed ellipse, the pen around it.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/drawing/drawing.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

TEST(Ellipse, SmallBoxesGiveSolidDots) {
    TestCanvas canvas(6, 6);
    canvas.use(kPen, 1, kInk);
    Ellipse(canvas.dc(), 1, 1, 3, 3);
    Ellipse(canvas.dc(), 3, 3, 6, 6);
    EXPECT_EQ(canvas.picture(), rows("...... .oo... .oo... ...ooo ...o#o ...ooo"));
}

TEST(Ellipse, StaysInItsBoxTouchesEachSideAndIsSymmetric) {
    TestCanvas canvas(14, 10);
    canvas.use(kPen, 1, kInk);
    Ellipse(canvas.dc(), 1, 1, 12, 8);
    bool touches[4] = {};
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 14; ++x) {
            const bool drawn = canvas.at(x, y) != kPaper;
            if (x < 1 || x >= 12 || y < 1 || y >= 8) {
                EXPECT_FALSE(drawn) << x << "," << y;
                continue;
            }
            touches[0] |= drawn && x == 1;
            touches[1] |= drawn && x == 11;
            touches[2] |= drawn && y == 1;
            touches[3] |= drawn && y == 7;
            EXPECT_EQ(canvas.at(x, y), canvas.at(12 - x, y)) << x << "," << y;
            EXPECT_EQ(canvas.at(x, y), canvas.at(x, 8 - y)) << x << "," << y;
        }
    }
    EXPECT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]) << canvas.picture();
}

TEST(Ellipse, PenRingsTheBrushWithOnePixel) {
    TestCanvas canvas(32, 24);
    canvas.use(kPen, 1, kInk);
    Ellipse(canvas.dc(), 2, 2, 30, 21);
    auto drawn = [&](int x, int y) { return canvas.at(x, y) != kPaper; };
    int pen = 0;
    for (int y = 1; y < 23; ++y) {
        for (int x = 1; x < 31; ++x) {
            const bool edge = !drawn(x - 1, y) || !drawn(x + 1, y) || !drawn(x, y - 1) || !drawn(x, y + 1);
            if (canvas.at(x, y) == kInk) {
                EXPECT_FALSE(edge) << "brush on the edge at " << x << "," << y << "\n" << canvas.picture();
            } else if (canvas.at(x, y) == kPen) {
                ++pen;
                EXPECT_TRUE(edge) << "pen inside at " << x << "," << y << "\n" << canvas.picture();
                int neighbours = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        neighbours += (dx != 0 || dy != 0) && canvas.at(x + dx, y + dy) == kPen ? 1 : 0;
                    }
                }
                EXPECT_GE(neighbours, 2) << "ring broken at " << x << "," << y << "\n" << canvas.picture();
            }
        }
    }
    EXPECT_GT(pen, 50);
    EXPECT_GT(canvas.count(kInk), 300);
}

TEST(Ellipse, CircleCoversItsArea) {
    TestCanvas canvas(42, 42);
    canvas.use(kInk, 1, kInk);
    Ellipse(canvas.dc(), 1, 1, 41, 41);
    EXPECT_NEAR(canvas.count(kInk), 3.14159265 * 20 * 20, 25);
}

TEST(Ellipse, NullBrushLeavesTheInside) {
    TestCanvas canvas(20, 20);
    canvas.useNullBrush(kPen, 1);
    Ellipse(canvas.dc(), 0, 0, 20, 20);
    EXPECT_EQ(canvas.at(10, 10), kPaper);
    EXPECT_EQ(canvas.at(10, 0), kPen);
    EXPECT_EQ(canvas.count(kInk), 0);
}

TEST(Ellipse, ThreePixelPenIsThreePixelsAcrossAndStraddlesTheEdge) {
    TestCanvas canvas(30, 30);
    canvas.useNullBrush(kPen, 3);
    Ellipse(canvas.dc(), 5, 5, 25, 25);
    // Along the middle row: one pixel outside the box, two inside it.
    EXPECT_EQ(canvas.picture(0, 14, 30, 15), "....ooo................ooo....\n");
}

TEST(Ellipse, HugeBoxesClip) {
    TestCanvas canvas(10, 10);
    canvas.use(kPen, 1, kInk);
    Ellipse(canvas.dc(), -1000000, -1000000, 1000000, 1000000);
    EXPECT_EQ(canvas.count(kInk), 100);
    // Its top edge runs through row 5 near the middle of the box.
    TestCanvas top(10, 10);
    top.use(kPen, 1, kInk);
    Ellipse(top.dc(), -1000000, 5, 1000000, 2000005);
    EXPECT_EQ(top.picture(0, 4, 10, 7), rows(".......... oooooooooo ##########"));
}

}  // namespace
}  // namespace drawing_test
