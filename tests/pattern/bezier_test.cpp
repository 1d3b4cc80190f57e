#include "pattern/bezier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "pattern/pattern_file.h"
#include "tests/support/temp_folder.h"

TEST(Bezier, EndPointsAreExactAndTheMiddleIsTheWeightedMean) {
    const std::vector<PointD> cubic = {{0.1, 7.3}, {100.0, -4.0}, {33.3, 12.0}, {9.7, 1.1}};
    const PointD start = evaluateBezier(3, cubic, 0.0);
    EXPECT_EQ(start.x, 0.1);
    EXPECT_EQ(start.y, 7.3);
    const PointD end = evaluateBezier(3, cubic, 1.0);
    EXPECT_EQ(end.x, 9.7);
    EXPECT_EQ(end.y, 1.1);
    const PointD middle = evaluateBezier(3, cubic, 0.5);
    EXPECT_DOUBLE_EQ(middle.x, (0.1 + 3 * 100.0 + 3 * 33.3 + 9.7) / 8);
    EXPECT_DOUBLE_EQ(middle.y, (7.3 + 3 * -4.0 + 3 * 12.0 + 1.1) / 8);
}

TEST(Bezier, HigherDegreesUseEveryControlPoint) {
    // Degree 9 with all weight on one control point at t = 0.5: C(9, 4) / 512.
    std::vector<PointD> points(10);
    points[4] = {512.0, 0.0};
    EXPECT_DOUBLE_EQ(evaluateBezier(9, points, 0.5).x, 126.0);
    const std::vector<PointD> line = {{0, 0}, {10, 20}};
    EXPECT_DOUBLE_EQ(evaluateBezier(1, line, 0.25).y, 5.0);
}

TEST(Bezier, ZeroStepsGiveTheFirstControlPointAlone) {
    const std::vector<PointD> cubic = {{5, 6}, {0, 30}, {30, 30}, {30, 0}};
    std::vector<PointD> out(1);
    ASSERT_EQ(flattenCurve(3, 0, cubic, out), 1);
    EXPECT_EQ(out[0].x, 5.0);
    EXPECT_EQ(out[0].y, 6.0);
}

namespace {

// The construction flattening used to run point by point: the reference the
// faster flattening must match to the bit.
PointD referenceCubic(std::array<PointD, 4> work, double t) {
    const double u = 1.0 - t;
    for (int k = 3; k >= 1; --k) {
        for (int i = 0; i < k; ++i) {
            work[i].x = u * work[i].x + t * work[i + 1].x;
            work[i].y = u * work[i].y + t * work[i + 1].y;
        }
    }
    return work[0];
}

}  // namespace

TEST(Bezier, EveryBundledPatternFlattensToTheSamePointsAsPointByPointEvaluation) {
    int curves = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VELLUMAR_PATTERN_LIBRARY)) {
        if (entry.path().extension() != ".mza") {
            continue;
        }
        const PatternFile file = parsePatternFile(fileBytes(entry.path()));
        for (const CurveRecord& curve : file.curves) {
            for (const bool forward : {true, false}) {
                std::array<PointD, 4> control;
                for (int k = 0; k < 4; ++k) {
                    const int from = forward ? k : 3 - k;
                    control[k] = {static_cast<double>(curve.x[from]), static_cast<double>(curve.y[from])};
                }
                std::array<PointD, 256> out;
                const int steps = std::max<int>(curve.steps, 1);
                ASSERT_EQ(flattenCurve(3, steps, control, out), steps + 1);
                for (int i = 0; i <= steps; ++i) {
                    const PointD want = referenceCubic(control, static_cast<double>(i) / steps);
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(out[i].x), std::bit_cast<std::uint64_t>(want.x))
                        << entry.path().filename() << " point " << i;
                    ASSERT_EQ(std::bit_cast<std::uint64_t>(out[i].y), std::bit_cast<std::uint64_t>(want.y))
                        << entry.path().filename() << " point " << i;
                }
            }
            ++curves;
        }
    }
    EXPECT_GT(curves, 1000) << "the bundled patterns were not found";
}
