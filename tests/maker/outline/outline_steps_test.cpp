// The outline steps whose arithmetic the whole-pattern tests cannot pin: the
// curve fit's tolerance and the label's place. The border graph, contours and
// drawing order are checked through outline_pattern_test.cpp's planar maps and
// pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "maker/outline/curve_fit.h"
#include "maker/outline/label_place.h"
#include "tests/maker/outline/synthetic_segmentation.h"

namespace {

double distanceToCurves(PointD p, PointD start, const std::vector<CubicSpan>& spans) {
    double best = 1e300;
    PointD from = start;
    for (const CubicSpan& s : spans) {
        const PointD control[4] = {from, s.control1, s.control2, s.end};
        for (int i = 0; i <= 400; ++i) {
            const PointD q = evaluateBezier(3, control, i / 400.0);
            best = std::min(best, std::hypot(q.x - p.x, q.y - p.y));
        }
        from = s.end;
    }
    return best;
}

TEST(CurveFit, PassesWithinTheToleranceOfEveryPointWithItsEndsKept) {
    struct Case {
        const char* name;
        std::vector<PointD> points;
        std::size_t mostSpans;
    };
    std::vector<Case> cases = {{"a straight run", {}, 1}, {"a quarter circle", {}, 3}, {"a zigzag", {}, 40}};
    for (int i = 0; i <= 40; ++i) {
        cases[0].points.push_back({i * 1.0, i * 0.5});
        cases[1].points.push_back({30 * std::cos(i * M_PI / 80), 30 * std::sin(i * M_PI / 80)});
        cases[2].points.push_back({i * 1.0, (i / 5) % 2 * 4.0});
    }
    for (const Case& c : cases) {
        const auto spans = fitCubicSpans(c.points, 0.5);
        ASSERT_FALSE(spans.empty()) << c.name;
        EXPECT_LE(spans.size(), c.mostSpans) << c.name;
        EXPECT_EQ(spans.back().end.x, c.points.back().x) << c.name;
        EXPECT_EQ(spans.back().end.y, c.points.back().y) << c.name;
        for (const PointD& p : c.points) {
            EXPECT_LE(distanceToCurves(p, c.points.front(), spans), 0.5)
                << c.name << " at " << p.x << ", " << p.y;
        }
    }
}

TEST(LabelPlace, DeepestPointInsideTheBoardsLabelLimits) {
    // 60 x 30: a band along the top frame (region 0), a block (1) with a
    // thin arm along the bottom, and the background (2).
    const Segmentation s = segmentationOf(60, 30, [](int x, int y) {
        if (y < 2) {
            return 1;
        }
        return (x >= 10 && x < 30 && y >= 8 && y < 24) || (y >= 27 && x < 50) ? 2 : 0;
    });
    const LabelBox box = labelBoxOf(frameOf(s.width, s.height));
    EXPECT_GT(box.minX, 1.0);
    EXPECT_LT(box.maxX, 59.0);
    const std::vector<PointD> labels = deepestPoints(s, box);
    const auto regionAtLabel = [&](int region) {
        return s.regionAt(static_cast<int>(labels[region].x), static_cast<int>(labels[region].y));
    };
    for (int r = 0; r < s.regionCount(); ++r) {
        EXPECT_EQ(regionAtLabel(r), r);
    }
    // The band lies wholly outside the limits: its deepest point anywhere.
    EXPECT_LT(labels[s.regionAt(0, 0)].y, box.minY);
    // The block's centre, not its thin arm.
    const PointD block = labels[s.regionAt(10, 8)];
    EXPECT_NEAR(block.x, 20.0, 1.0);
    EXPECT_NEAR(block.y, 16.0, 1.0);
    EXPECT_TRUE(box.contains(labels[s.regionAt(0, 5)]));
}

}  // namespace
