// Polygon fill (alternate rule, top-left convention) and outline.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/drawing/drawing.h"
#include "platform/pixels/rasterizer.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

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

TEST(PolygonFill, AlternateRuleLeavesHoles) {
    // An outer square and an inner one joined by a cut that is walked both ways.
    EXPECT_EQ(
        filled(9, 9, {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0}, {2, 2}, {2, 6}, {6, 6}, {6, 2}, {2, 2}}),
        rows("########. ########. ##....##. ##....##. ##....##. ##....##. ########. ########. ........."));
    // A five-pointed star drawn in one stroke: its middle crosses twice.
    const std::string star = filled(21, 21, {{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}});
    EXPECT_EQ(star[10 * 22 + 10], '.') << star;
    EXPECT_EQ(star[8 * 22 + 2], '#') << star;
    EXPECT_EQ(star[3 * 22 + 10], '#') << star;
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

TEST(Polygon, OutlinePassesThroughEveryVertex) {
    std::mt19937 random(7);
    std::uniform_int_distribution<LONG> coordinate(0, 29);
    for (int round = 0; round < 50; ++round) {
        TestCanvas canvas(30, 30);
        canvas.use(kPen, 1, kInk);
        std::vector<POINT> points(6);
        for (POINT& p : points) {
            p = {coordinate(random), coordinate(random)};
        }
        Polygon(canvas.dc(), points.data(), 6);
        for (const POINT& p : points) {
            EXPECT_EQ(canvas.at(p.x, p.y), kPen) << p.x << "," << p.y;
        }
    }
}

TEST(Polygon, FillsWithTheBrushAndOutlinesWithThePen) {
    TestCanvas canvas(7, 6);
    canvas.use(kPen, 1, kInk);
    const POINT square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}};
    Polygon(canvas.dc(), square, 5);
    EXPECT_EQ(canvas.picture(), rows("....... .ooooo. .o###o. .o###o. .ooooo. ......."));
    // The closing point repeats the first and adds nothing.
    TestCanvas open(7, 6);
    open.use(kPen, 1, kInk);
    Polygon(open.dc(), square, 4);
    EXPECT_EQ(open.picture(), canvas.picture());
}

TEST(Polygon, NullBrushDrawsOnlyTheOutline) {
    TestCanvas canvas(6, 6);
    canvas.useNullBrush(kPen, 1);
    const POINT triangle[] = {{0, 0}, {5, 0}, {0, 5}};
    Polygon(canvas.dc(), triangle, 3);
    EXPECT_EQ(canvas.picture(), rows("oooooo o...o. o..o.. o.o... oo.... o....."));
}

TEST(Clipping, ShapesCutByTheSurfaceEdgeMatchTheSameShapesDrawnWhole) {
    std::mt19937 random(11);
    std::uniform_int_distribution<LONG> coordinate(0, 99);
    for (int round = 0; round < 40; ++round) {
        std::vector<POINT> points(5);
        for (POINT& p : points) {
            p = {coordinate(random), coordinate(random)};
        }
        TestCanvas whole(100, 100);
        whole.use(kPen, round % 2 == 0 ? 1 : 3, kInk);
        Polygon(whole.dc(), points.data(), 5);
        Ellipse(whole.dc(), points[0].x, points[0].y, points[1].x + 10, points[1].y + 10);

        // The same shapes moved up and left by 50 onto a 50 x 50 surface.
        TestCanvas part(50, 50);
        part.use(kPen, round % 2 == 0 ? 1 : 3, kInk);
        std::vector<POINT> moved = points;
        for (POINT& p : moved) {
            p = {p.x - 50, p.y - 50};
        }
        Polygon(part.dc(), moved.data(), 5);
        Ellipse(part.dc(), moved[0].x, moved[0].y, moved[1].x + 10, moved[1].y + 10);
        ASSERT_EQ(part.picture(), whole.picture(50, 50, 100, 100)) << "round " << round;
    }
}

}  // namespace
}  // namespace drawing_test
