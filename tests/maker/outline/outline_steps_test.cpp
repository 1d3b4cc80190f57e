// The outline steps one by one: the border graph, the contours built from
// it, the drawing order, the curve fit and the label's place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "maker/outline/border_graph.h"
#include "maker/outline/curve_fit.h"
#include "maker/outline/label_place.h"
#include "maker/outline/piece_contours.h"
#include "maker/outline/piece_order.h"
#include "tests/maker/outline/synthetic_segmentation.h"

namespace {

// A map of colour letters, one string a row.
Segmentation drawn(const std::vector<std::string>& rows) {
    return segmentationOf(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                          [&](int x, int y) { return rows[y][x] - 'a'; });
}

struct GraphCase {
    const char* name;
    std::vector<std::string> rows;
    int edges;
    int closedEdges;
};

const GraphCase kGraphCases[] = {
    {"one region: the frame cut at the picture's corners", {"aaaaa", "aaaaa", "aaaaa"}, 4, 0},
    {"an island", {"aaaa", "abaa", "aaaa"}, 5, 1},
    {"two halves", {"aabb", "aabb", "aabb"}, 7, 0},
    {"four regions meeting at a corner", {"aabb", "aabb", "bbaa", "bbaa"}, 12, 0},
    {"two islands touching at a corner", {"aaaa", "abaa", "aaba", "aaaa"}, 6, 0},
};

class BorderGraphCase : public testing::TestWithParam<GraphCase> {};

// Every border step lies on exactly one edge, beside the regions the edge names.
TEST_P(BorderGraphCase, TracesEveryBorderOnceIntoEdgesBetweenJunctions) {
    const GraphCase& c = GetParam();
    const Segmentation s = drawn(c.rows);
    const BorderGraph graph = traceBorders(s);
    const auto region = [&](int x, int y) {
        return x < 0 || y < 0 || x >= s.width || y >= s.height ? kOutside : s.regionAt(x, y);
    };
    std::vector<int> walked(static_cast<std::size_t>(2 * (s.width + 1) * (s.height + 1)), 0);
    int closed = 0;
    for (const BorderEdge& e : graph.edges) {
        closed += e.closed ? 1 : 0;
        for (std::size_t i = 0; i + 1 < e.corners.size(); ++i) {
            const LatticePoint a = e.corners[i], b = e.corners[i + 1];
            ASSERT_EQ(std::abs(b.x - a.x) + std::abs(b.y - a.y), 1);
            const int dx = b.x - a.x, dy = b.y - a.y;
            // The cell on the left of the step (y down) and the one on its right.
            const int cx = std::min(a.x, b.x) - (dy < 0 ? 1 : 0), cy = std::min(a.y, b.y) - (dx > 0 ? 1 : 0);
            const int rx = std::min(a.x, b.x) - (dy > 0 ? 1 : 0), ry = std::min(a.y, b.y) - (dx < 0 ? 1 : 0);
            EXPECT_EQ(region(cx, cy), e.left);
            EXPECT_EQ(region(rx, ry), e.right);
            ++walked[2 * (std::min(a.y, b.y) * (s.width + 1) + std::min(a.x, b.x)) + (dx != 0 ? 0 : 1)];
        }
    }
    int borderSteps = 0;
    for (int y = 0; y <= s.height; ++y) {
        for (int x = 0; x <= s.width; ++x) {
            const bool horizontal = x < s.width && region(x, y - 1) != region(x, y);
            const bool vertical = y < s.height && region(x - 1, y) != region(x, y);
            EXPECT_EQ(walked[2 * (y * (s.width + 1) + x)], horizontal ? 1 : 0) << x << ", " << y;
            EXPECT_EQ(walked[2 * (y * (s.width + 1) + x) + 1], vertical ? 1 : 0) << x << ", " << y;
            borderSteps += horizontal + vertical;
        }
    }
    EXPECT_GT(borderSteps, 0);
    EXPECT_EQ(static_cast<int>(graph.edges.size()), c.edges);
    EXPECT_EQ(closed, c.closedEdges);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BorderGraphCase, testing::ValuesIn(kGraphCases));

// The outer contour first; |shoelace| of each contour, in pixels.
std::vector<std::int64_t> contourAreas(const BorderGraph& g, const RegionOutline& outline) {
    std::vector<std::int64_t> areas;
    for (const EdgeCycle& cycle : outline.contours) {
        std::int64_t twice = 0;
        for (const EdgeUse use : cycle) {
            twice += use.forward ? g.edges[use.edge].twiceArea : -g.edges[use.edge].twiceArea;
        }
        areas.push_back(std::abs(twice) / 2);
    }
    return areas;
}

TEST(RegionOutlines, OuterContourFirstThenHolesWithTheRegionOnTheLeft) {
    struct Case {
        std::vector<std::string> rows;
        std::vector<std::vector<std::int64_t>> areas;  // per region: outer, holes
    };
    const Case cases[] = {
        {{"aaaaaa", "abbbba", "abccba", "abccba", "abbbba", "aaaaaa"}, {{36, 16}, {16, 4}, {4}}},
        // A region around two islands that touch at a corner has one hole for both.
        {{"aaaa", "abaa", "aaca", "aaaa"}, {{16, 2}, {1}, {1}}},
        {{"abab", "baba"}, {{1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}}},
    };
    for (const Case& c : cases) {
        const Segmentation s = drawn(c.rows);
        const BorderGraph g = traceBorders(s);
        const auto outlines = buildRegionOutlines(g, s.regionCount());
        ASSERT_EQ(outlines.size(), c.areas.size());
        for (std::size_t r = 0; r < outlines.size(); ++r) {
            EXPECT_EQ(contourAreas(g, outlines[r]), c.areas[r]) << c.rows[0] << ", region " << r;
            for (const EdgeCycle& cycle : outlines[r].contours) {
                for (const EdgeUse use : cycle) {
                    EXPECT_EQ(regionLeftOf(g, use), static_cast<std::int32_t>(r));
                }
            }
        }
    }
}

// Containers come before what lies in their holes, whatever the region numbers.
TEST(DrawingOrder, APieceComesBeforeThePiecesInItsHoles) {
    Segmentation s =
        drawn({"aaaaaaaaa", "abbbbbbea", "abccccbea", "abcddcbea", "abccccbea", "abbbbbbea", "aaaaaaaaa"});
    for (const bool reversed : {false, true}) {
        if (reversed) {
            for (std::int32_t& r : s.regionOf) {
                r = s.regionCount() - 1 - r;
            }
            std::ranges::reverse(s.colourOf);
        }
        const BorderGraph g = traceBorders(s);
        const auto order = drawingOrder(g, buildRegionOutlines(g, s.regionCount()));
        std::vector<int> position(order.size());
        for (std::size_t k = 0; k < order.size(); ++k) {
            position[order[k]] = static_cast<int>(k);
        }
        const auto regionOf = [&](int x, int y) { return s.regionAt(x, y); };
        // a holds b and e, b holds c, c holds d.
        EXPECT_LT(position[regionOf(0, 0)], position[regionOf(1, 1)]);
        EXPECT_LT(position[regionOf(1, 1)], position[regionOf(2, 2)]);
        EXPECT_LT(position[regionOf(2, 2)], position[regionOf(3, 3)]);
        EXPECT_LT(position[regionOf(0, 0)], position[regionOf(7, 1)]);
        EXPECT_EQ(order.size(), 5u);
    }
}

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
