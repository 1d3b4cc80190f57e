// What the reader derives: scale and extent, points in pattern units, the
// gathering of contours, bounds and brightness.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <tuple>

#include "pattern/raw_mapping.h"
#include "tests/support/pattern_builder.h"

namespace {

PatternFile withSource(int width, int height, int range) {
    PatternFile file = squareFile(true);
    file.header.sourceWidth = width;
    file.header.sourceHeight = height;
    file.header.coordinateRange = range;
    return file;
}

CurveRecord curve(std::array<int, 4> xs, std::array<int, 4> ys, int steps) {
    CurveRecord c;
    for (int k = 0; k < 4; ++k) {
        c.x[k] = static_cast<std::uint16_t>(xs[k]);
        c.y[k] = static_cast<std::uint16_t>(ys[k]);
    }
    c.steps = static_cast<std::uint8_t>(steps);
    return c;
}

// One piece whose single contour walks the given edges over the given paths.
PatternFile curvePiece(std::vector<CurveRecord> curves, std::vector<PathRecord> paths,
                       std::vector<EdgeRecord> edges) {
    PatternFile file = squareFile(false);
    addColour(file, 0, 0, 0);
    file.curves = std::move(curves);
    file.paths = std::move(paths);
    file.edges = std::move(edges);
    file.contours.push_back({0, static_cast<std::uint16_t>(file.edges.size() - 1)});
    file.pieces.push_back({0, 0, 0, 8000, 8000});
    return file;
}

}  // namespace

TEST(PatternScale, PortraitLandscapeAndSquarePictures) {
    struct Case {
        int width, height;
        float scaleX, scaleY, extentWidth, extentHeight, minX, maxY, originY;
    };
    for (const Case c : {Case{300, 400, 0.75f, 1, 12000, 16000, -6000, 8000, -8000},
                         Case{400, 300, 1, 0.75f, 16000, 12000, -8000, 6000, -6000},
                         Case{100, 100, 1, 1, 16000, 16000, -8000, 8000, -8000}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const auto loaded = loadFromRecords(withSource(c.width, c.height, 16000));
        const Pattern& p = loaded->pattern;
        EXPECT_EQ((std::array{p.scaleX, p.scaleY, p.extentWidth, p.extentHeight, p.minX, p.maxY, p.originY}),
                  (std::array{c.scaleX, c.scaleY, c.extentWidth, c.extentHeight, c.minX, c.maxY, c.originY}));
    }
}

TEST(PatternScale, SinglePrecisionDecidesTheExtentAndTheOriginTruncates) {
    // ratio 3/7 in single precision; 16000 / ratio / 1000 is not a whole number.
    const auto p = loadFromRecords(withSource(3, 7, 1000));
    const float ratio = 7.0f / 3.0f;
    const float scaleX = (16000.0f / ratio) / 1000.0f;
    EXPECT_EQ((std::array{p->pattern.scaleX, p->pattern.scaleY, p->pattern.extentWidth, p->pattern.minX}),
              (std::array{scaleX, 16.0f, scaleX * 1000.0f, -0.5f * (scaleX * 1000.0f)}));
    EXPECT_EQ(p->pattern.originX, static_cast<float>(static_cast<int>(-0.5f * (scaleX * 1000.0f))));
    EXPECT_NE(p->pattern.originX, p->pattern.minX);
}

TEST(PatternUnits, CurveAndPolylinePointsAtTheCornerOfTheRange) {
    // A curve point at raw (16000, 16000): x' = 8000, y' = -8000.
    const auto curves = loadFromRecords(
        curvePiece({curve({16000, 16000, 0, 0}, {16000, 0, 0, 16000}, 1)}, {{0, 0}}, {{0, 1}}));
    ASSERT_TRUE(curves->pattern.loadError.empty());
    EXPECT_EQ(curves->pattern.pieces[0].points[0], (POINT{8000, -8000}));

    // A polyline point at raw (16000, 16000): y' = 8000 (its y runs downwards).
    PatternFile polyline = squareFile(true);
    addColour(polyline, 0, 0, 0);
    addPolylinePiece(polyline, {{16000, 16000}, {0, 16000}, {0, 0}}, 0, 16000, 16000);
    const auto points = loadFromRecords(polyline);
    // A label is measured upwards, like a curve.
    const Piece& piece = points->pattern.pieces[0];
    EXPECT_EQ(std::tuple(piece.points[0], piece.labelX, piece.labelY),
              std::tuple(POINT{8000, 8000}, 8000, -8000));
}

TEST(PatternUnits, CurvePointsRoundHalvesUpwardsWhilePolylinePointsTruncate) {
    // N = 32000 halves every raw coordinate: raw 1 lies at -7999.5.
    PatternFile curves = curvePiece({curve({1, 1, 3, 3}, {1, 3, 3, 1}, 1)}, {{0, 0}}, {{0, 1}});
    curves.header.coordinateRange = 32000;
    const auto c = loadFromRecords(curves);
    ASSERT_TRUE(c->pattern.loadError.empty());
    EXPECT_EQ(c->pattern.pieces[0].points[0], (POINT{-7999, 7999}));  // floor(-7999.5 + 0.5); -floor(-7999)
    EXPECT_EQ(c->pattern.pieces[0].points[1], (POINT{-7998, 7999}));  // raw 3: -7998.5 rounds up

    PatternFile polyline = squareFile(true);
    polyline.header.coordinateRange = 32000;
    addColour(polyline, 0, 0, 0);
    addPolylinePiece(polyline, {{1, 31999}, {3, 31999}, {3, 31997}}, 0, 1, 1);
    const auto p = loadFromRecords(polyline);
    // x: trunc(0.5 - 8000) = -7999; y: -trunc((16000 - 31999) * 0.5 - 8000) = -trunc(-15999.5) = 15999
    const Piece& piece = p->pattern.pieces[0];
    EXPECT_EQ(std::tuple(piece.points[0], piece.labelX, piece.labelY),
              std::tuple(POINT{-7999, 15999}, -7999, 7999));
}

TEST(PatternUnits, ACurvesSamplesMapAtOnceAsOneByOne) {
    // Halves on both sides of zero, a scale that throws points out of range,
    // and a range of 0 whose scale is not finite.
    std::mt19937 random(7);
    for (const int range : {16000, 32000, 1, 0}) {
        PatternHeader header;
        header.sourceWidth = 300;
        header.sourceHeight = 400;
        header.coordinateRange = range;
        const RawGeometry g = deriveRawGeometry(header);
        std::vector<PointD> samples(256);
        for (PointD& p : samples) {
            p = {std::uniform_real_distribution<double>(0, 65535)(random), (random() % 131071) / 2.0};
        }
        std::vector<POINT> atOnce(samples.size());
        mapCurvePoints(g, samples, atOnce.data());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            ASSERT_EQ(atOnce[i], mapCurvePoint(g, samples[i].x, samples[i].y)) << range << " sample " << i;
        }
    }
}

TEST(Gathering, TwoCurvesSharingAnEndPointGatherTenPointsAndKeepEight) {
    const auto p = loadFromRecords(curvePiece({curve({0, 0, 16000, 16000}, {0, 16000, 16000, 0}, 4),
                                               curve({16000, 16000, 0, 0}, {0, 8000, 8000, 0}, 4)},
                                              {{0, 1}}, {{0, 1}}));
    ASSERT_TRUE(p->pattern.loadError.empty()) << p->pattern.loadError;
    const Piece& piece = p->pattern.pieces[0];
    // The shared end point is kept once.
    EXPECT_EQ(std::tuple(piece.contourSizes[0], piece.points[0], piece.points[4]),
              std::tuple(8, POINT{-8000, 8000}, POINT{8000, 8000}));
    EXPECT_NE(piece.points[7], piece.points[0]) << "the closing point is dropped";
}

TEST(Gathering, ABackwardEdgeVisitsTheCurvesFromLastToFirstEachFromItsEnd) {
    const std::vector<CurveRecord> curves = {curve({0, 4000, 8000, 16000}, {0, 9000, 3000, 16000}, 2),
                                             curve({16000, 16000, 12000, 12000}, {16000, 8000, 4000, 0}, 2)};
    const auto forward = loadFromRecords(curvePiece(curves, {{0, 1}}, {{0, 1}}));
    const auto backward = loadFromRecords(curvePiece(curves, {{0, 1}}, {{0, 0}}));
    const std::vector<POINT> there = contourPoints(forward->pattern.pieces[0], 0);
    const std::vector<POINT> back = contourPoints(backward->pattern.pieces[0], 0);
    ASSERT_EQ(there.size(), 5u);  // 3 + 3 gathered; the shared end point once
    // Backwards, walking starts at P3 of the last curve: raw (12000, 0).
    EXPECT_EQ(back,
              (std::vector<POINT>{{4000, 8000}, {6000, 1500}, {8000, -8000}, {-1500, 1500}, {-8000, 8000}}));
    EXPECT_EQ(back, std::vector<POINT>(there.rbegin(), there.rend()));
}

TEST(Gathering, EmptyPathRangesAndEmptyContoursAddNothing) {
    PatternFile file = curvePiece({curve({0, 0, 16000, 16000}, {0, 16000, 16000, 0}, 3)}, {{0, 0}, {1, 0}},
                                  {{1, 1}, {0, 1}});
    file.contours.push_back({1, 0});  // firstEdge > lastEdge: an empty inner contour
    file.pieces[0].lastContour = 1;
    const auto p = loadFromRecords(file);
    ASSERT_TRUE(p->pattern.loadError.empty()) << p->pattern.loadError;
    const Piece& piece = p->pattern.pieces[0];
    EXPECT_EQ((std::array<int, 4>{piece.contourCount, piece.contourSizes[0], piece.contourSizes[1],
                                  piece.totalPoints}),
              (std::array{2, 4, 0, 4}));
}

TEST(Gathering, PolylineRepeatsAndRectilinearRunsAreDroppedContourByContour) {
    using Raw = std::vector<std::pair<int, int>>;
    const struct {
        const char* name;
        bool rectilinear;
        std::vector<Raw> contours;
        std::vector<std::vector<POINT>> gathered;  // raw (x, y) lies at (x - 8000, y - 8000)
    } cases[] = {
        {"a polyline's repeats as they arrive",
         false,
         {{{0, 0}, {0, 0}, {5, 0}, {5, 5}, {5, 5}, {0, 5}, {0, 0}}},
         {{{-8000, -8000}, {-7995, -8000}, {-7995, -7995}, {-8000, -7995}}}},
        {"a rectilinear square keeps its corners",
         true,
         {{{0, 0}, {0, 5}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}},
         {{{-8000, -8000}, {-8000, -7990}, {-7990, -7990}, {-7990, -8000}}}},
        // The repeat resets the run, so (4, 0) stays. The inner contour's first
        // point is not appended, and its later points are measured from the last
        // point gathered, the outer contour's: every step is diagonal, keeps the
        // code 0 and takes back one gathered point, so it ends with nothing.
        {"a rectilinear run with a repeat, then an inner square",
         true,
         {{{0, 0}, {4, 0}, {4, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0}}, {{2, 2}, {2, 4}, {4, 4}, {4, 2}, {2, 2}}},
         {{{-8000, -8000}, {-7996, -8000}, {-7992, -8000}, {-7992, -7992}, {-8000, -7992}}, {}}},
        // Starts at the outer contour's closing point and steps straight down from it.
        {"a rectilinear inner contour continuing in a straight line",
         true,
         {{{0, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0}}, {{0, 0}, {0, 2}, {2, 2}, {2, 0}, {0, 0}}},
         {{{-8000, -8000}, {-7992, -8000}, {-7992, -7992}, {-8000, -7992}},
          {{-8000, -7998}, {-7998, -7998}, {-7998, -8000}, {-8000, -8000}}}},
    };
    for (const auto& c : cases) {
        PatternFile file = squareFile(true);
        file.header.rectilinearFlag = c.rectilinear ? 1 : 0;
        addColour(file, 0, 0, 0);
        for (const Raw& raw : c.contours) {
            const int piece = addPolylinePiece(file, raw, 0);
            if (piece > 0) {  // a further contour of the first piece
                file.pieces.pop_back();
                file.pieces[0].lastContour = static_cast<std::uint16_t>(piece);
            }
        }
        const auto p = loadFromRecords(file);
        ASSERT_TRUE(p->pattern.loadError.empty()) << c.name << ": " << p->pattern.loadError;
        const Piece& piece = p->pattern.pieces[0];
        int total = 0;
        for (std::size_t j = 0; j < c.gathered.size(); ++j) {
            EXPECT_EQ(contourPoints(piece, static_cast<int>(j)), c.gathered[j])
                << c.name << ", contour " << j;
            total += static_cast<int>(c.gathered[j].size());
        }
        EXPECT_EQ(piece.totalPoints, total) << c.name;
    }
}

TEST(Gathering, BoundsComeFromTheOuterContourAlone) {
    PatternFile file = squareFile(true);
    addColour(file, 0, 0, 0);
    addPolylinePiece(file, {{100, 100}, {200, 100}, {200, 300}}, 0);
    addPolylinePiece(file, {{0, 0}, {16000, 0}, {16000, 16000}}, 0);  // an inner outline reaching further
    file.pieces.pop_back();
    file.pieces[0].lastContour = 1;
    const auto p = loadFromRecords(file);
    const Piece& piece = p->pattern.pieces[0];
    EXPECT_EQ((std::array{piece.boundsMinX, piece.boundsMinY, piece.boundsMaxX, piece.boundsMaxY}),
              (std::array{-7900, -7900, -7800, -7700}));
}

TEST(Brightness, WhiteGreenAndRed) {
    EXPECT_EQ((std::array{colourLumaOf(255, 255, 255), colourLumaOf(0, 255, 0), colourLumaOf(255, 0, 0),
                          colourLumaOf(0, 0, 255), colourLumaOf(0, 0, 0)}),
              (std::array{232, 127, 76, 28, 0}));
}
