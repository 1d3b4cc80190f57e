// Malformed files load as empty patterns with a reason, never as a crash.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "bench/generated_pattern.h"
#include "tests/support/pattern_builder.h"

namespace {

struct Damage {
    const char* name;
    std::function<void(PatternFile&)> apply;
    const char* reason;  // a part of the reason the reader gives
};

// Two valid square pieces of two colours in the polyline variant.
PatternFile twoPieces() {
    PatternFile file = squareFile(true);
    addColour(file, 200, 0, 0);
    addColour(file, 0, 200, 0);
    addPolylinePiece(file, {{0, 0}, {8000, 0}, {8000, 8000}, {0, 8000}}, 0);
    addPolylinePiece(file, {{8000, 0}, {16000, 0}, {16000, 8000}, {8000, 8000}}, 1);
    return file;
}

void expectEmpty(const Pattern& p) {
    EXPECT_EQ(std::tuple(p.pieceCount, p.pieces.size(), p.colourCount, p.extentWidth, p.extentHeight,
                         platform::liveDrawingObjects()),
              std::tuple(0, 0u, 0, 0.0f, 0.0f, 0));
    EXPECT_TRUE(p.heap == nullptr && p.outlinePen == nullptr);
}

// Small squares on one spot: light at zoom 1, but zoomed in on the spot every
// one of them fills the window.
PatternFile piledSquares(int pieces) {
    PatternFile file = squareFile(true);
    addColour(file, 0, 0, 0);
    addPolylinePiece(file, {{8000, 8000}, {8100, 8000}, {8100, 8100}, {8000, 8100}, {8000, 8000}}, 0);
    file.pieces.assign(pieces, file.pieces.front());
    return file;
}

}  // namespace

TEST(MalformedPattern, EveryKindOfDamageLoadsAsAnEmptyPatternWithItsReason) {
    const std::vector<Damage> damages = {
        {"zero width", [](PatternFile& f) { f.header.sourceWidth = 0; }, "width or height is not positive"},
        {"negative height", [](PatternFile& f) { f.header.sourceHeight = -5; },
         "width or height is not positive"},
        {"zero range", [](PatternFile& f) { f.header.coordinateRange = 0; },
         "coordinate range is not positive"},
        {"negative range", [](PatternFile& f) { f.header.coordinateRange = -16000; }, "coordinate range"},
        {"path past the points", [](PatternFile& f) { f.paths[1].last = 8; },
         "path 1 runs past the end of the point"},
        {"edge to no path", [](PatternFile& f) { f.edges[0].path = 2; },
         "edge 0 names a path that does not exist"},
        {"contour past the edges", [](PatternFile& f) { f.contours[1].lastEdge = 2; }, "contour 1 runs past"},
        {"piece ends before it starts",
         [](PatternFile& f) {
             f.pieces[1] = {1, 0, 0, 0, 0};
         },
         "piece 1 ends before its first contour"},
        {"piece past the contours", [](PatternFile& f) { f.pieces[0].lastContour = 5; }, "piece 0 runs past"},
        {"colour that does not exist", [](PatternFile& f) { f.pieces[1].colour = 2; }, "names a colour"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        PatternFile file = twoPieces();
        damage.apply(file);
        const auto loaded = loadFromRecords(file);
        EXPECT_NE(loaded->pattern.loadError.find(damage.reason), std::string::npos)
            << loaded->pattern.loadError;
        expectEmpty(loaded->pattern);
    }
}

TEST(MalformedPattern, ANegativePieceCountIsRefused) {
    std::vector<std::byte> bytes = serializePatternFile(twoPieces());
    bytes[28] = std::byte{0xFE};  // pieceCount = -2
    bytes[29] = std::byte{0xFF};
    const auto loaded = loadFromBytes(bytes);
    EXPECT_EQ(loaded->pattern.loadError, "the file is damaged: the piece count is negative");
    expectEmpty(loaded->pattern);
}

TEST(MalformedPattern, TheLimitsOfColoursContoursAndGatheredPoints) {
    {
        SCOPED_TRACE("257 colours in use");
        PatternFile file = squareFile(true);
        for (int c = 0; c < 257; ++c) {
            addColour(file, c % 256, c / 256, 0);
            // Side by side: stacked, they would make a zoomed-in frame fill the window 257 times.
            const int x = c % 16 * 1000, y = c / 16 * 900;
            addPolylinePiece(file, {{x, y}, {x + 10, y}, {x + 10, y + 10}}, c);
        }
        const auto loaded = loadFromRecords(file);
        EXPECT_NE(loaded->pattern.loadError.find("more than 256 colours"), std::string::npos);
        expectEmpty(loaded->pattern);
        file.pieces.pop_back();  // 256 are allowed, and 257 records of which 256 are used
        EXPECT_TRUE(loadFromRecords(file)->pattern.loadError.empty());
    }
    {
        SCOPED_TRACE("1001 contours");
        PatternFile file = squareFile(true);
        addColour(file, 0, 0, 0);
        addPolylinePiece(file, {{0, 0}, {10, 0}, {10, 10}}, 0);
        file.contours.assign(1001, file.contours[0]);
        file.pieces[0].lastContour = 1000;
        EXPECT_NE(loadFromRecords(file)->pattern.loadError.find("more than 1000 contours"),
                  std::string::npos);
        file.pieces[0].lastContour = 999;
        EXPECT_TRUE(loadFromRecords(file)->pattern.loadError.empty());
    }
    {
        SCOPED_TRACE("45001 gathered points");
        PatternFile file = squareFile(false);
        addColour(file, 0, 0, 0);
        // 176 curves of 256 points (255 steps) each gather 45056 points. Each
        // bends over a place of its own: piled up, their edges would cross
        // every row of a zoomed-in frame.
        for (int k = 0; k < 176; ++k) {
            const auto x = static_cast<std::uint16_t>(k % 13 * 1200),
                       y = static_cast<std::uint16_t>(k / 13 * 1100);
            file.curves.push_back(
                {{x, static_cast<std::uint16_t>(x + 400), static_cast<std::uint16_t>(x + 800),
                  static_cast<std::uint16_t>(x + 1100)},
                 {y, static_cast<std::uint16_t>(y + 1000), static_cast<std::uint16_t>(y + 1000), y},
                 255});
        }
        file.paths.push_back({0, 175});
        file.edges.push_back({0, 1});
        file.contours.push_back({0, 0});
        file.pieces.push_back({0, 0, 0, 0, 0});
        const auto loaded = loadFromRecords(file);
        EXPECT_NE(loaded->pattern.loadError.find("piece 0 gathers more than 45000 points"), std::string::npos)
            << loaded->pattern.loadError;
        expectEmpty(loaded->pattern);
        file.paths[0].last = 174;  // 175 x 256 = 44800 gather fine
        EXPECT_TRUE(loadFromRecords(file)->pattern.loadError.empty());
    }
}

TEST(MalformedPattern, FilesThatWouldNeedTooMuchWorkAreRefusedBeforeAnyIsDone) {
    {
        SCOPED_TRACE("points");
        // 32767 pieces each walking one path of 65535 points: 2 billion points.
        PatternFile file = squareFile(true);
        addColour(file, 0, 0, 0);
        file.points.assign(65535, PointRecord{1, 1});
        file.paths.push_back({0, 65534});
        file.edges.push_back({0, 1});
        file.contours.push_back({0, 0});
        file.pieces.assign(32767, PieceRecord{0, 0, 0, 0, 0});
        const auto loaded = loadFromRecords(file);
        EXPECT_NE(loaded->pattern.loadError.find("more than 8000000 points"), std::string::npos)
            << loaded->pattern.loadError;
    }
    {
        SCOPED_TRACE("edges");
        // Contours of 65535 empty edges: no points, but billions of edge visits.
        PatternFile file = squareFile(true);
        addColour(file, 0, 0, 0);
        file.points.push_back({0, 0});
        file.paths.push_back({1, 0});
        file.edges.assign(65535, EdgeRecord{0, 1});
        file.contours.assign(1000, ContourRecord{0, 65534});
        file.pieces.assign(1000, PieceRecord{0, 999, 0, 0, 0});
        const auto loaded = loadFromRecords(file);
        EXPECT_NE(loaded->pattern.loadError.find("more than 8000000 edges"), std::string::npos)
            << loaded->pattern.loadError;
    }
}

TEST(MalformedPattern, FilesTooHeavyToDrawAreRefusedWhileLighterOnesOfTheirKindLoad) {
    struct Kind {
        const char* name;
        PatternFile heavy, light;
    };
    const Kind kinds[] = {
        {"zig-zags", generateZigzagPattern(181, 44000, 16000), generateZigzagPattern(1, 20000, 10)},
        // Few enough points to be tried on coarse cells before the fine ones; heavy only zoomed in.
        {"a short zig-zag", generateZigzagPattern(5, 2000, 1000), generateZigzagPattern(5, 2000, 100)},
        // One row tall at zoom 1, but zoomed in each of its edges crosses every row of the window.
        {"a zig-zag heavy only zoomed in", generateZigzagPattern(1, 44000, 10),
         generateZigzagPattern(1, 20000, 10)},
        {"waves", generateWavyCurvePattern(178, 175, 16000), generateWavyCurvePattern(4, 175, 100)},
        {"pieces over the whole picture", generateCoveringPattern(32767), generateCoveringPattern(30)},
        // Enough points for small pieces to be counted whole before cell by cell.
        {"small pieces on one spot or side by side", piledSquares(32767),
         generateCurvePattern({.pieces = 5000})},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const auto heavy = loadFromRecords(kind.heavy);
        EXPECT_NE(heavy->pattern.loadError.find("too heavy to draw"), std::string::npos)
            << heavy->pattern.loadError;
        expectEmpty(heavy->pattern);
        EXPECT_EQ(loadFromRecords(kind.light)->pattern.loadError, "");
    }
}
