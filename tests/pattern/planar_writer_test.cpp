// The planar writer keeps every limit of the file format, or says which one
// a picture would break.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <tuple>

#include "pattern/bezier.h"
#include "pattern/planar_writer.h"
#include "pattern/raw_encoding.h"
#include "tests/support/pattern_builder.h"

namespace {

// A closed path of `spans` straight or curved spans zigzagging across the picture.
PlanarPath squarePath(int spans, bool curved = false, int steps = 0) {
    PlanarPath path{{-4000, -4000}, {}};
    for (int i = 1; i <= spans; ++i) {
        const double t = static_cast<double>(i) / spans;
        const PointD end = i == spans ? path.start : PointD{-4000 + 8000 * t, -4000 + 50.0 * (i % 2)};
        path.spans.push_back({!curved, {0, 3000}, {0, -3000}, end, steps});
    }
    return path;
}

PlanarModel withPieces(int pieces, int contoursEach, PlanarPath path, int colours = 1) {
    PlanarModel model;
    model.paths.push_back(std::move(path));
    for (int k = 0; k < pieces; ++k) {
        PlanarPiece piece;
        piece.colour = {static_cast<std::uint8_t>(k % colours), static_cast<std::uint8_t>(k % colours / 256),
                        0};
        piece.contours.assign(static_cast<std::size_t>(contoursEach), {{0, k % 2 == 0}});
        model.pieces.push_back(std::move(piece));
    }
    return model;
}

struct LimitCase {
    const char* name;
    std::function<PlanarModel()> model;
    GeometryVariant variant;
    const char* error;  // nullptr: written
};

const LimitCase kCases[] = {
    {"two pieces on one path", [] { return withPieces(2, 1, squarePath(4)); }, GeometryVariant::Curves,
     nullptr},
    {"32768 pieces", [] { return withPieces(32768, 1, squarePath(4)); }, GeometryVariant::Curves,
     "32768 pieces; a pattern holds at most 32767"},
    {"257 colours", [] { return withPieces(257, 1, squarePath(4), 257); }, GeometryVariant::Curves,
     "more than 256 colours"},
    {"1001 contours in a piece", [] { return withPieces(1, 1001, squarePath(4)); }, GeometryVariant::Curves,
     "1001 contours (1000 holes); a piece holds at most 1000"},
    {"45500 gathered points", [] { return withPieces(1, 1, squarePath(700, true, 64)); },
     GeometryVariant::Curves, "gathers 45500 points"},
    {"45000 gathered points", [] { return withPieces(1, 1, squarePath(692, true, 64)); },
     GeometryVariant::Curves, nullptr},
    {"65536 curves", [] { return withPieces(1, 1, squarePath(65536)); }, GeometryVariant::Curves,
     "more than 65535 curves"},
    {"65536 points", [] { return withPieces(1, 1, squarePath(65536)); }, GeometryVariant::Polylines,
     "more than 65535 points"},
    {"a contour names a missing path",
     [] {
         PlanarModel m = withPieces(1, 1, squarePath(4));
         m.pieces[0].contours[0][0].path = 1;
         return m;
     },
     GeometryVariant::Curves, "names a path that does not exist"},
};

class PlanarWriterLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(PlanarWriterLimit, WritesWithinTheLimitsAndNamesTheOneBroken) {
    const LimitCase& c = GetParam();
    std::string error;
    const auto file = writePlanarPatternFile(c.model(), c.variant, error);
    if (c.error == nullptr) {
        ASSERT_TRUE(file) << c.name << ": " << error;
        EXPECT_EQ(file->paths.size(), 1u) << c.name;
        EXPECT_EQ(file->edges.size(), file->pieces.size()) << c.name;
    } else {
        EXPECT_FALSE(file) << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    }
}

INSTANTIATE_TEST_SUITE_P(Models, PlanarWriterLimit, testing::ValuesIn(kCases));

// The reader's samples of written curves: each curve starts where modelled and
// its other samples lie within a unit and a half of it, at any aspect.
TEST(PlanarWriter, CurvesKeepTheirEndsExactlyAndTheirShapeWithinAUnit) {
    for (const auto& [width, height, steps] : {std::tuple{200, 300, 12}, {300, 200, 5}, {400, 400, 0}}) {
        PlanarModel model = withPieces(1, 1, squarePath(6, true, steps));
        std::tie(model.sourceWidth, model.sourceHeight) = std::tuple(width, height);
        std::string error;
        const auto file = writePlanarPatternFile(model, GeometryVariant::Curves, error);
        ASSERT_TRUE(file) << error;
        const std::vector<POINT> points = contourPoints(loadFromRecords(*file)->pattern.pieces[0]);
        const PlanarPath& path = model.paths[0];
        std::size_t at = 0;  // joints and the closing point are not repeated
        PointD from = path.start;
        for (std::size_t c = 0; c < path.spans.size(); ++c) {
            const PointD control[4] = {from, path.spans[c].control1, path.spans[c].control2,
                                       path.spans[c].end};
            const int n = file->curves[c].steps;
            ASSERT_LE(at + n, points.size() + 1) << width << "x" << height;
            const POINT start{static_cast<LONG>(std::floor(from.x + 0.5)),
                              static_cast<LONG>(std::floor(from.y + 0.5))};
            EXPECT_EQ(points[at], start) << "curve " << c;
            for (int i = 1; i < n; ++i) {
                const PointD truth = evaluateBezier(3, control, static_cast<double>(i) / n);
                EXPECT_LE(std::hypot(points[at + i].x - truth.x, points[at + i].y - truth.y), 1.5)
                    << width << "x" << height << " curve " << c << " step " << i;
            }
            at += n;
            from = path.spans[c].end;
        }
        EXPECT_EQ(at, points.size());
    }
}

// Walked backwards, the reader's samples of a curve can round to a
// neighbouring unit; the writer changes such a curve until both ways agree.
TEST(ReversibleCurve, FlattensAlikeWalkedEitherWay) {
    const RawEncoder encoder(400, 300, GeometryVariant::Curves);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(0, 16000), steps(2, 64);
    int differing = 0;
    for (int i = 0; i < 20000 && differing < 20; ++i) {
        CurveRecord c;
        for (int k = 0; k < 4; ++k) {
            c.x[k] = static_cast<std::uint16_t>(coordinate(random));
            c.y[k] = static_cast<std::uint16_t>(coordinate(random) * 3 / 4);
        }
        c.steps = static_cast<std::uint8_t>(steps(random));
        if (encoder.flattensAlikeBothWays(c)) {
            continue;
        }
        ++differing;
        const auto fixed = reversibleCurve(encoder, c);
        ASSERT_TRUE(fixed);
        EXPECT_TRUE(encoder.flattensAlikeBothWays(*fixed));
        EXPECT_EQ(fixed->x[0], c.x[0]);
        EXPECT_EQ(fixed->y[3], c.y[3]);
    }
    EXPECT_EQ(differing, 20) << "curves that flatten differently backwards are not rare";
}

}  // namespace
