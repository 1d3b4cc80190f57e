#include <gtest/gtest.h>

#include <array>
#include <random>

#include "pattern/painting.h"
#include "pattern/view_transform.h"
#include "tests/support/pattern_builder.h"

namespace {

// The crossing test on its own, without the bounding-box shortcut, to check
// that the shortcut never changes an answer.
bool crossingTest(const Piece& piece, int x, int y) {
    const int n = piece.contourSizes[0];
    if (n == 0) {
        return false;
    }
    POINT v0 = piece.points[n - 1];
    bool f0 = v0.y >= y;
    bool inside = false;
    for (int i = 0; i < n; ++i) {
        const POINT v1 = piece.points[i];
        const bool f1 = v1.y >= y;
        if (f1 != f0) {
            const double left = static_cast<double>(v1.y - y) * (v0.x - v1.x);
            const double right = static_cast<double>(v1.x - x) * (v0.y - v1.y);
            if ((left >= right) == f1) {
                inside = !inside;
            }
        }
        v0 = v1;
        f0 = f1;
    }
    return inside;
}

// A ring: outer square (raw 2000 ... 10000) with a square hole (4000 ... 8000),
// then a piece filling part of the hole.
PatternFile ringWithPlug() {
    PatternFile file = squareFile(true);
    addColour(file, 10, 10, 10);
    addColour(file, 200, 200, 200);
    addPolylinePiece(file, {{2000, 2000}, {10000, 2000}, {10000, 10000}, {2000, 10000}}, 0);
    addPolylinePiece(file, {{4000, 4000}, {8000, 4000}, {8000, 8000}, {4000, 8000}}, 0);
    file.pieces.pop_back();
    file.pieces[0].lastContour = 1;
    addPolylinePiece(file, {{4000, 4000}, {6000, 4000}, {6000, 6000}, {4000, 6000}}, 1);
    return file;
}

}  // namespace

TEST(PointInPiece, AHoleBelongsToTheRingUnlessALaterPieceCoversIt) {
    const auto loaded = loadFromRecords(ringWithPlug());
    Pattern& p = loaded->pattern;
    const Piece& ring = p.pieces[0];
    // Raw (x, y) lies at pattern (x - 8000, y - 8000).
    EXPECT_TRUE(pointInPiece(ring, -5000, -5000));  // in the ring itself
    EXPECT_TRUE(pointInPiece(ring, -1000, -1000));  // in the hole: holes are not tested
    EXPECT_FALSE(pointInPiece(ring, 3000, 0));      // outside
    EXPECT_TRUE(pointInPiece(p.pieces[1], -3000, -3000));

    p.settings.PaintingMode = 0;
    std::int32_t index = -1;
    p.selectedColour = 1;
    EXPECT_EQ(paintAt(p, -3000, -3000, index), 1) << "the later piece in the hole takes the tap";
    EXPECT_EQ(index, 1);
    p.selectedColour = 0;
    EXPECT_EQ(paintAt(p, -1000, -1000, index), 1) << "the uncovered part of the hole hits the ring";
    EXPECT_EQ(index, 0);
}

// A one-point contour gathers nothing: its bounds are empty and it is never hit.
TEST(PointInPiece, AnEmptyOuterContourIsNeverHit) {
    PatternFile file = squareFile(true);
    addColour(file, 0, 0, 0);
    addPolylinePiece(file, {{100, 100}}, 0);
    const auto loaded = loadFromRecords(file);
    const Piece& piece = loaded->pattern.pieces[0];
    EXPECT_EQ((std::array{piece.contourSizes[0], piece.boundsMinX, piece.boundsMaxX}),
              (std::array{0, 1000000, -1000000}));
    EXPECT_GT(piece.boundsMinY, piece.boundsMaxY);
    EXPECT_FALSE(pointInPiece(piece, -7900, -7900) || pointInPiece(piece, 0, 0));
}

TEST(PointInPiece, TheBoundingBoxShortcutAgreesWithTheCrossingTestEverywhere) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> coordinate(7900,
                                                  8100);  // a small area: many points on edges and corners
    for (int round = 0; round < 200; ++round) {
        PatternFile file = squareFile(true);
        addColour(file, 0, 0, 0);
        const int n = 3 + round % 9;
        const auto first = static_cast<std::uint16_t>(file.points.size());
        for (int i = 0; i < n; ++i) {
            file.points.push_back({static_cast<std::uint16_t>(coordinate(random)),
                                   static_cast<std::uint16_t>(coordinate(random))});
        }
        file.paths.push_back({first, static_cast<std::uint16_t>(file.points.size() - 1)});
        file.edges.push_back({0, 1});
        file.contours.push_back({0, 0});
        file.pieces.push_back({0, 0, 0, 8000, 8000});
        const auto loaded = loadFromRecords(file);
        const Piece& piece = loaded->pattern.pieces[0];
        for (int x = -110; x <= 110; x += 3) {
            for (int y = -110; y <= 110; y += 3) {
                ASSERT_EQ(pointInPiece(piece, x, y), crossingTest(piece, x, y))
                    << round << ": " << x << "," << y;
            }
        }
        // Exactly on the box's edges, where the shortcut's comparisons matter.
        for (int x : {piece.boundsMinX, piece.boundsMaxX}) {
            for (int y : {piece.boundsMinY, piece.boundsMaxY, piece.boundsMinY + 1}) {
                ASSERT_EQ(pointInPiece(piece, x, y), crossingTest(piece, x, y))
                    << round << ": " << x << "," << y;
            }
        }
    }
}
