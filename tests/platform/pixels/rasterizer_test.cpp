// The rasteriser's pixel rules: boxes, lines and pens, polygons (alternate
// rule, top-left convention) and ellipses, drawn through a device context or
// straight onto a surface.
#include "platform/pixels/rasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/drawing/drawing.h"
#include "platform/pixels/pixel_run.h"
#include "tests/support/test_canvas.h"

namespace drawing_test {
namespace {

TEST(FillPixels, WritesExactlyTheRunAtEveryLengthAndStart) {
    constexpr platform::Pixel kOld = 0x010203, kNew = 0xA0B0C0;
    for (std::size_t start = 0; start < 4; ++start) {
        for (std::size_t length = 0; length <= 300; ++length) {
            std::vector<platform::Pixel> row(start + length + 8, kOld);
            platform::fillPixels(row.data() + start, length, kNew);
            std::vector<platform::Pixel> expected(row.size(), kOld);
            std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(start), length, kNew);
            ASSERT_EQ(row, expected) << "start " << start << " length " << length;
        }
    }
}

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
        // x = 1 + round(y / 5), halves up: 1, 1, 1, 2, 2; row 5 is the end.
        {"steep, width 0", 4, 6, 0, {{1, 0}, {2, 5}}, ".#.. .#.. .#.. ..#. ..#. ...."},
        // Every vertex is drawn but the last.
        {"a path", 5, 5, 1, {{0, 0}, {3, 0}, {3, 3}, {1, 3}}, "####. ...#. ...#. ..##. ....."},
        // Three pixels across, square ends.
        {"3 wide", 9, 6, 3, {{2, 3}, {6, 3}}, "......... ......... .#######. .#######. .#######. ........."},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.rule);
        TestCanvas canvas(c.width, c.height);
        canvas.use(kInk, c.pen, kPaper);
        Polyline(canvas.dc(), c.path.data(), static_cast<int>(c.path.size()));
        EXPECT_EQ(canvas.picture(), rows(c.picture));
    }
}

TEST(NullPen, EveryShapeKeepsItsFillAndDrawsNoLine) {
    TestCanvas canvas(7, 6);
    canvas.use(kPen, 1, kInk);
    const HPEN pen = SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    const POINT square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    Polygon(canvas.dc(), square, 4);
    Polyline(canvas.dc(), square, 4);
    EXPECT_EQ(canvas.picture(), rows("....... .####.. .####.. .####.. ....... ......."));
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    Ellipse(canvas.dc(), 0, 0, 7, 6);
    EXPECT_EQ(canvas.count(kPen), 0);
    SelectObject(canvas.dc(), pen);
}

TEST(Rectangle, PenOnTheOutermostPixelsOrStraddlingTheEdgeAndBrushInside) {
    TestCanvas canvas(7, 6);
    canvas.use(kPen, 1, kInk);
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    EXPECT_EQ(canvas.picture(), rows("....... .ooooo. .o###o. .o###o. .ooooo. ......."));
    // The same square as a polygon, closed or not (the closing point adds nothing).
    const POINT square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}};
    for (const int points : {4, 5}) {
        TestCanvas polygon(7, 6);
        polygon.use(kPen, 1, kInk);
        Polygon(polygon.dc(), square, points);
        EXPECT_EQ(polygon.picture(), canvas.picture()) << points;
    }

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

TEST(Line, PixelsAreTheExactLineRoundedHalvesUp) {
    // Every line of up to 12 steps each way, wholly inside the surface and
    // cut by its edge, and one whose ends lie a million pixels away.
    std::vector<std::pair<POINT, POINT>> lines{{{-1000000, -1000000 + 5}, {1000000, 1000000 + 5}}};
    for (const POINT start : {POINT{13, 13}, POINT{2, 3}}) {
        for (LONG dy = -12; dy <= 12; ++dy) {
            for (LONG dx = -12; dx <= 12; ++dx) {
                lines.push_back({start, {start.x + dx, start.y + dy}});
            }
        }
    }
    for (const auto& [start, end] : lines) {
        TestCanvas canvas(27, 27);
        canvas.use(kInk, 1, kPaper);
        const POINT line[] = {start, end};
        Polyline(canvas.dc(), line, 2);
        // Along the major axis from the start up to the end; across it,
        // round(i dn / len) = floor((2 i dn + len) / 2 len).
        const std::int64_t dx = end.x - start.x, dy = end.y - start.y;
        const std::int64_t len = std::max(std::abs(dx), std::abs(dy));
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        std::string expected = TestCanvas(27, 27).picture();
        for (std::int64_t i = 0; i < len; ++i) {
            const auto across =
                static_cast<std::int64_t>(std::floor((2.0 * i * (xMajor ? dy : dx) + len) / (2.0 * len)));
            const std::int64_t along = i * ((xMajor ? dx : dy) < 0 ? -1 : 1);
            const std::int64_t x = start.x + (xMajor ? along : across);
            const std::int64_t y = start.y + (xMajor ? across : along);
            if (x >= 0 && y >= 0 && x < 27 && y < 27) {
                expected[static_cast<std::size_t>(y * 28 + x)] = '#';
            }
        }
        ASSERT_EQ(canvas.picture(), expected)
            << "from " << start.x << "," << start.y << " to " << end.x << "," << end.y;
    }
}

// Only the fill, without the pen, straight from the rasteriser.
std::string filled(int width, int height, const std::vector<POINT>& points) {
    TestCanvas canvas(width, height);
    platform::fillPolygon(platform::wholeSurface(canvas.surface()), points.data(),
                          static_cast<int>(points.size()), platform::pixelFromColour(kInk));
    return canvas.picture();
}

// A pixel is inside when an odd number of edges cross its row at or to the
// left of its point; an edge holds the rows from its upper end up to, not
// including, its lower end. Exact integer comparisons, pixel by pixel.
bool insideByCounting(const std::vector<POINT>& points, std::int64_t x, std::int64_t y) {
    int crossings = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        POINT a = points[i];
        POINT b = points[(i + 1) % points.size()];
        if (a.y == b.y) {
            continue;
        }
        if (a.y > b.y) {
            std::swap(a, b);
        }
        if (y < a.y || y >= b.y) {
            continue;
        }
        // Crossing x = a.x + (y - a.y) (b.x - a.x) / (b.y - a.y) <= x
        if ((y - a.y) * std::int64_t{b.x - a.x} <= (x - a.x) * std::int64_t{b.y - a.y}) {
            ++crossings;
        }
    }
    return crossings % 2 == 1;
}

// The fill on a size x size surface is exactly the pixels that count as inside.
testing::AssertionResult fillsAsCounted(int size, const std::vector<POINT>& points) {
    const std::string picture = filled(size, size, points);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if ((picture[static_cast<std::size_t>(y * (size + 1) + x)] == '#') !=
                insideByCounting(points, x, y)) {
                return testing::AssertionFailure() << "pixel " << x << "," << y << "\n" << picture;
            }
        }
    }
    return testing::AssertionSuccess();
}

TEST(PolygonFill, PointsOnLeftAndTopEdgesAreInsideOnRightAndBottomOutside) {
    EXPECT_EQ(filled(6, 6, {{1, 1}, {4, 1}, {4, 4}, {1, 4}}),
              rows("...... .###.. .###.. .###.. ...... ......"));
    // The slanted edge is on the right: its points are outside.
    EXPECT_EQ(filled(5, 5, {{0, 0}, {4, 0}, {0, 4}}), rows("####. ###.. ##... #.... ....."));
    // The slanted edge is on the left: its points are inside.
    EXPECT_EQ(filled(5, 5, {{0, 0}, {4, 0}, {4, 4}}), rows("####. .###. ..##. ...#. ....."));
}

TEST(PolygonFill, AgreesWithCountingCrossingsPixelByPixel) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    struct Setting {
        int size;     // of the square surface
        LONG lowest;  // vertex coordinates range over lowest ... highest
        LONG highest;
    };
    // Wholly on the surface and narrow; cut by the surface's edges; wider than 64 pixels.
    for (const Setting setting : {Setting{40, 0, 40}, Setting{40, -8, 48}, Setting{90, 0, 90}}) {
        std::uniform_int_distribution<LONG> coordinate(setting.lowest, setting.highest);
        std::uniform_int_distribution<int> vertices(3, 12);
        for (int round = 0; round < 200; ++round) {
            std::vector<POINT> points(static_cast<std::size_t>(vertices(random)));
            for (POINT& p : points) {
                p = {coordinate(random), coordinate(random)};
            }
            ASSERT_TRUE(fillsAsCounted(setting.size, points))
                << "surface " << setting.size << " round " << round;
        }
    }
}

TEST(PolygonFill, FarVerticesClipWithoutChangingThePixels) {
    // A sliver far wider than the surface: its rows must match the exact crossings.
    EXPECT_TRUE(fillsAsCounted(30, {{-1000000, -3}, {1000000, 40}, {-999990, 41}}));
}

TEST(Clipping, ShapesCutByTheSurfaceEdgeMatchTheSameShapesDrawnWhole) {
    std::mt19937 random(11);
    std::uniform_int_distribution<LONG> coordinate(0, 99);
    std::uniform_int_distribution<LONG> step(-2, 2);
    for (int round = 0; round < 40; ++round) {
        std::vector<POINT> points(5);
        for (POINT& p : points) {
            p = {coordinate(random), coordinate(random)};
        }
        // Rounds with a thin pen add a walk of short steps (a small piece's outline).
        for (int i = 0; round % 2 == 0 && i < 60; ++i) {
            const POINT last = points.back();
            points.push_back(
                {std::clamp(last.x + step(random), 0, 99), std::clamp(last.y + step(random), 0, 99)});
        }
        TestCanvas whole(100, 100);
        whole.use(kPen, round % 2 == 0 ? 1 : 3, kInk);
        Polygon(whole.dc(), points.data(), static_cast<int>(points.size()));
        Ellipse(whole.dc(), points[0].x, points[0].y, points[1].x + 10, points[1].y + 10);

        // The same shapes moved up and left by 50 onto a 50 x 50 surface.
        TestCanvas part(50, 50);
        part.use(kPen, round % 2 == 0 ? 1 : 3, kInk);
        std::vector<POINT> moved = points;
        for (POINT& p : moved) {
            p = {p.x - 50, p.y - 50};
        }
        Polygon(part.dc(), moved.data(), static_cast<int>(moved.size()));
        Ellipse(part.dc(), moved[0].x, moved[0].y, moved[1].x + 10, moved[1].y + 10);
        ASSERT_EQ(part.picture(), whole.picture(50, 50, 100, 100)) << "round " << round;
    }
}

TEST(Ellipse, SmallBoxesGiveSolidDots) {
    TestCanvas canvas(6, 6);
    canvas.use(kPen, 1, kInk);
    Ellipse(canvas.dc(), 1, 1, 3, 3);
    Ellipse(canvas.dc(), 3, 3, 6, 6);
    EXPECT_EQ(canvas.picture(), rows("...... .oo... .oo... ...ooo ...o#o ...ooo"));
}

// Inside its box, touching each side, symmetric, and its brush ringed by an
// unbroken pen one pixel wide.
TEST(Ellipse, StaysInItsBoxTouchesEachSideAndThePenRingsTheBrush) {
    TestCanvas canvas(32, 24);
    canvas.use(kPen, 1, kInk);
    Ellipse(canvas.dc(), 2, 2, 30, 21);
    const auto drawn = [&](int x, int y) { return canvas.at(x, y) != kPaper; };
    bool touches[4] = {};
    int pen = 0;
    for (int y = 1; y < 23; ++y) {
        for (int x = 1; x < 31; ++x) {
            const std::string where = std::to_string(x) + "," + std::to_string(y) + "\n" + canvas.picture();
            if (x < 2 || x >= 30 || y < 2 || y >= 21) {
                EXPECT_FALSE(drawn(x, y)) << where;
                continue;
            }
            touches[0] |= drawn(x, y) && x == 2;
            touches[1] |= drawn(x, y) && x == 29;
            touches[2] |= drawn(x, y) && y == 2;
            touches[3] |= drawn(x, y) && y == 20;
            EXPECT_EQ(canvas.at(x, y), canvas.at(31 - x, y)) << where;
            EXPECT_EQ(canvas.at(x, y), canvas.at(x, 22 - y)) << where;
            const bool edge = !drawn(x - 1, y) || !drawn(x + 1, y) || !drawn(x, y - 1) || !drawn(x, y + 1);
            if (canvas.at(x, y) == kInk) {
                EXPECT_FALSE(edge) << "brush on the edge at " << where;
            } else if (canvas.at(x, y) == kPen) {
                ++pen;
                EXPECT_TRUE(edge) << "pen inside at " << where;
                int neighbours = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        neighbours += (dx != 0 || dy != 0) && canvas.at(x + dx, y + dy) == kPen ? 1 : 0;
                    }
                }
                EXPECT_GE(neighbours, 2) << "ring broken at " << where;
            }
        }
    }
    EXPECT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]) << canvas.picture();
    EXPECT_GT(pen, 50);
    EXPECT_GT(canvas.count(kInk), 300);
}

}  // namespace
}  // namespace drawing_test
