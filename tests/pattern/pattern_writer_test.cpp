// The pattern writer: what it writes loads back through the reader as modelled,
// and models that break the format's limits are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "pattern/pattern_writer.h"
#include "tests/support/pattern_builder.h"

namespace {

Outline polygon(std::initializer_list<PointD> points) {
    Outline outline;
    outline.start = *points.begin();
    for (auto it = points.begin() + 1; it != points.end(); ++it) {
        outline.spans.push_back({true, {}, {}, *it, 0});
    }
    return outline;
}

// A circle of four cubic spans (the usual 0.5523 handle length).
Outline circle(double cx, double cy, double r) {
    const double k = 0.5522847498 * r;
    Outline o;
    o.start = {cx + r, cy};
    o.spans.push_back({false, {cx + r, cy + k}, {cx + k, cy + r}, {cx, cy + r}, 0});
    o.spans.push_back({false, {cx - k, cy + r}, {cx - r, cy + k}, {cx - r, cy}, 0});
    o.spans.push_back({false, {cx - r, cy - k}, {cx - k, cy - r}, {cx, cy - r}, 0});
    o.spans.push_back({false, {cx + k, cy - r}, {cx + r, cy - k}, {cx + r, cy}, 0});
    return o;
}

POINT rounded(PointD p) {
    return {static_cast<LONG>(std::floor(p.x + 0.5)), static_cast<LONG>(std::floor(p.y + 0.5))};
}

std::unique_ptr<LoadedTestPattern> writeAndLoad(const PatternModel& model) {
    std::string error;
    const auto file = writePatternFile(model, error);
    EXPECT_TRUE(file.has_value()) << error;
    if (!file) {
        return nullptr;
    }
    const std::vector<std::byte> bytes = serializePatternFile(*file);
    EXPECT_EQ(serializePatternFile(parsePatternFile(bytes)), bytes);
    auto loaded = loadFromBytes(bytes);
    EXPECT_TRUE(loaded->pattern.loadError.empty()) << loaded->pattern.loadError;
    return loaded;
}

// A landscape picture (3 : 2, so the y scale is not 1) with a ring-shaped
// piece and a triangle, at points that are not whole units.
PatternModel ringAndTriangle() {
    PatternModel model;
    model.sourceWidth = 300;
    model.sourceHeight = 200;
    ModelPiece ring;
    ring.colour = {200, 10, 10};
    ring.contours.push_back(
        polygon({{-6000.3, -4000.7}, {6000.2, -4000.2}, {6000.6, 4000.4}, {-6000.5, 4000.1}}));
    ring.contours.push_back(polygon({{-1000.4, -1000.6}, {1000.5, -1000.2}, {1000.1, 1000.9}}));
    ring.label = {-4000.2, 2500.7};
    ModelPiece triangle;
    triangle.colour = {0, 0, 255};
    triangle.contours.push_back(polygon({{-7900, -5300}, {7900, -5300}, {0, 5300}}));
    triangle.label = {10.4, -1234.5};
    model.pieces = {ring, triangle};
    return model;
}

}  // namespace

TEST(PatternWriter, PolylinesLoadBackAsTheModelRoundedToWholeUnits) {
    const PatternModel model = ringAndTriangle();
    const auto loaded = writeAndLoad(model);
    ASSERT_TRUE(loaded);
    // The extent, the variant and the colours show in the art generator's demo
    // board, which ArtGenerator.CommittedFilesEqualAFreshGeneration compares.
    const Pattern& p = loaded->pattern;
    ASSERT_EQ(p.pieceCount, 2);
    for (int k = 0; k < 2; ++k) {
        const ModelPiece& m = model.pieces[k];
        const Piece& piece = p.pieces[k];
        ASSERT_EQ(piece.contourCount, static_cast<int>(m.contours.size()));
        for (int j = 0; j < piece.contourCount; ++j) {
            std::vector<POINT> expected{rounded(m.contours[j].start)};
            for (const OutlineSpan& s : m.contours[j].spans) {
                expected.push_back(rounded(s.end));
            }
            EXPECT_EQ(contourPoints(piece, j), expected) << "piece " << k << " contour " << j;
        }
        EXPECT_EQ(std::tuple(piece.labelX, piece.labelY), std::tuple(rounded(m.label).x, rounded(m.label).y));
    }
}

TEST(PatternWriter, StepsGrowWithTheBendOfTheCurveAndKeepItWithinTheTolerance) {
    EXPECT_EQ(curveStepsFor({0, 0}, {100, 0}, {200, 0}, {300, 0}), 1) << "a straight curve";
    const Outline small = circle(0, 0, 100), large = circle(0, 0, 7000);
    const auto stepsOf = [](const Outline& o) {
        return curveStepsFor(o.start, o.spans[0].control1, o.spans[0].control2, o.spans[0].end);
    };
    EXPECT_LT(stepsOf(small), stepsOf(large));
    EXPECT_LE(stepsOf(small), 4);
    EXPECT_EQ(curveStepsFor({0, 0}, {0, 900000}, {900000, -900000}, {1, 1}), kMaxCurveSteps);

    for (double r : {50.0, 400.0, 3000.0, 8000.0}) {
        const Outline o = circle(0, 0, r);
        const PointD control[4] = {o.start, o.spans[0].control1, o.spans[0].control2, o.spans[0].end};
        const int n = stepsOf(o);
        for (int i = 0; i < n; ++i) {
            const PointD a = evaluateBezier(3, control, static_cast<double>(i) / n);
            const PointD b = evaluateBezier(3, control, static_cast<double>(i + 1) / n);
            for (double f = 0.1; f < 1.0; f += 0.1) {
                const PointD t = evaluateBezier(3, control, (i + f) / n);
                // Distance from the curve to the chord's line bounds the error.
                const double dx = b.x - a.x, dy = b.y - a.y;
                const double distance = std::fabs((t.x - a.x) * dy - (t.y - a.y) * dx) / std::hypot(dx, dy);
                EXPECT_LE(distance, kCurveTolerance) << "radius " << r << " step " << i;
            }
        }
    }
}

// The limits on pieces, colours, contours and gathered points are the shared
// builder's, held to them in PlanarWriterLimit; what this writer counts itself
// is checked here.
TEST(PatternWriter, RefusesModelsBeyondTheFormatsLimits) {
    const auto errorFor = [](const PatternModel& model) {
        std::string error;
        const auto file = writePatternFile(model, error);
        return file ? std::string("written") : error;
    };
    const ModelPiece square{{1, 2, 3}, {polygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}})}, {50, 50}};

    PatternModel points;  // 17000 pieces of four points: 68000 point records
    points.pieces.assign(17000, square);
    EXPECT_NE(errorFor(points).find("65535 points"), std::string::npos) << errorFor(points);

    PatternModel outside;
    outside.pieces.push_back(square);
    outside.pieces[0].contours[0].spans[1].end = {9000, 100};
    EXPECT_NE(errorFor(outside).find("outside the picture"), std::string::npos) << errorFor(outside);

    PatternModel flat;
    flat.pieces.push_back(square);
    flat.pieces[0].contours[0] = polygon({{0, 0}, {0.2, 0.1}, {0.1, 0.3}});
    EXPECT_NE(errorFor(flat).find("fewer than three"), std::string::npos) << errorFor(flat);
}
