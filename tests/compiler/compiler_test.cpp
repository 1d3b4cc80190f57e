// The compiler: known shapes become the expected pieces, labels and colours;
// fill rules, covered and tiny pieces, colour merging and the colour cap.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/vellumar-pattern/compile/compiler.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/playability.h"

namespace {

struct Compiled {
    CompileResult result;
    std::unique_ptr<LoadedPattern> loaded;
    const Pattern& pattern() const { return loaded->pattern; }
};

Compiled compile(const std::string& body, const std::string& viewBox = "0 0 200 100",
                 const CompileOptions& options = {}) {
    std::string error;
    const auto picture = svg::readSvg(
        "<svg xmlns='http://www.w3.org/2000/svg' viewBox='" + viewBox + "'>" + body + "</svg>", error);
    EXPECT_TRUE(picture) << error;
    Compiled c{compilePicture(*picture, options), nullptr};
    EXPECT_TRUE(c.result.file) << c.result.error;
    if (c.result.file) {
        c.loaded = loadPatternRecords(*c.result.file);
    }
    EXPECT_TRUE(c.loaded);
    return c;
}

// viewBox units of the 200 x 100 picture to pattern units (80 a unit).
POINT unit(double x, double y) {
    return {static_cast<LONG>(std::lround((x - 100) * 80)), static_cast<LONG>(std::lround((y - 50) * 80))};
}

std::array<int, 3> rgb(const Pattern& p, int piece) {
    const auto& c = p.colourRGB[p.pieces[piece].colour];
    return {c[0], c[1], c[2]};
}

void expectBounds(const Piece& piece, POINT min, POINT max, int slack = 2) {
    EXPECT_NEAR(piece.boundsMinX, min.x, slack);
    EXPECT_NEAR(piece.boundsMinY, min.y, slack);
    EXPECT_NEAR(piece.boundsMaxX, max.x, slack);
    EXPECT_NEAR(piece.boundsMaxY, max.y, slack);
}

const std::string kKnownShapes =
    "<rect width='200' height='100' fill='#ffffff'/>"
    "<path d='M10 10 H90 V90 H10 Z M30 30 V70 H70 V30 Z' fill='navy'/>"
    "<circle cx='130' cy='30' r='20' fill='red'/>"
    "<circle cx='150' cy='30' r='20' fill='rgb(0,128,0)'/>"
    "<g transform='translate(120 60) rotate(45 15 15)'><rect width='30' height='30' fill='#fc0'/></g>"
    "<path d='M160 90 A15 15 0 0 1 190 90 Z' fill='purple'/>"
    "<defs><circle id='dot' r='6' fill='#0aa'/></defs>"
    "<use href='#dot' x='50' y='50'/>";

}  // namespace

TEST(Compiler, KnownShapesBecomeTheExpectedPieces) {
    const Compiled c = compile(kKnownShapes);
    ASSERT_TRUE(c.loaded);
    const Pattern& p = c.pattern();
    EXPECT_TRUE(c.result.failures.empty()) << c.result.failures.front();
    ASSERT_EQ(p.pieceCount, 8);
    const std::array<std::array<int, 3>, 8> colours = {{{255, 255, 255},
                                                        {0, 0, 128},
                                                        {255, 255, 255},
                                                        {255, 0, 0},
                                                        {0, 128, 0},
                                                        {255, 204, 0},
                                                        {128, 0, 128},
                                                        {0, 170, 170}}};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(rgb(p, k), colours[k]) << "piece " << k;
        EXPECT_EQ(hitPiece(p, p.pieces[k].labelX, p.pieces[k].labelY), k) << "piece " << k;
    }
    // The square with a hole: its outline and the hole's, then the hole covered in the
    // colour beneath (the white background), then the dot that lies in it.
    EXPECT_EQ(p.pieces[1].contourCount, 2);
    expectBounds(p.pieces[1], unit(10, 10), unit(90, 90));
    expectBounds(p.pieces[2], unit(30, 30), unit(70, 70));
    expectBounds(p.pieces[7], unit(44, 44), unit(56, 56));
    // The two circles; the red one shows only as a crescent left of the green one.
    expectBounds(p.pieces[3], unit(110, 10), unit(150, 50));
    EXPECT_LT(p.pieces[3].labelX, unit(130, 0).x);
    // The rotated square: a diamond of half-diagonal 15 sqrt 2 around (135, 75),
    // labelled at its middle, farthest from its edges.
    const double half = 15 * std::sqrt(2.0);
    expectBounds(p.pieces[5], unit(135 - half, 75 - half), unit(135 + half, 75 + half), 3);
    EXPECT_NEAR(p.pieces[5].labelX, unit(135, 75).x, 2 * kCompileCell);
    EXPECT_NEAR(p.pieces[5].labelY, unit(135, 75).y, 2 * kCompileCell);
    // The arc: the upper half of a disc of radius 15 on (175, 90).
    expectBounds(p.pieces[6], unit(160, 75), unit(190, 90));
    // The ring's label is in the ring, not in its hole.
    const Piece& ring = p.pieces[1];
    EXPECT_FALSE(std::abs(ring.labelX - unit(50, 0).x) < 20 * 80 &&
                 std::abs(ring.labelY - unit(0, 50).y) < 20 * 80);
}

TEST(Compiler, FillRulesDecideWhatIsAHole) {
    // Both subpaths run the same way: a hole under evenodd, none under nonzero.
    const std::string same = "M10 10 H90 V90 H10 Z M30 30 H70 V70 H30 Z";
    Compiled even = compile("<path d='" + same + "' fill='black' fill-rule='evenodd'/>", "0 0 100 100");
    ASSERT_EQ(even.pattern().pieceCount, 2);
    EXPECT_EQ(even.pattern().pieces[0].contourCount, 2);
    EXPECT_EQ(rgb(even.pattern(), 1), (std::array<int, 3>{255, 255, 255})) << "nothing beneath: white";
    Compiled nonzero = compile("<path d='" + same + "' fill='black'/>", "0 0 100 100");
    ASSERT_EQ(nonzero.pattern().pieceCount, 1);
    EXPECT_EQ(nonzero.pattern().pieces[0].contourCount, 1);
    // An island inside the hole is a piece of the shape's colour after the hole's.
    Compiled island = compile(
        "<rect width='100' height='100' fill='#a0a0ff'/>"
        "<path d='M25 25 H75 V75 H25 Z M35 35 H65 V65 H35 Z M45 45 H55 V55 H45 Z' fill='black' "
        "fill-rule='evenodd'/>",
        "0 0 100 100");
    ASSERT_EQ(island.pattern().pieceCount, 4);
    EXPECT_EQ(rgb(island.pattern(), 2), (std::array<int, 3>{160, 160, 255}))
        << "the hole shows the background";
    EXPECT_EQ(rgb(island.pattern(), 3), (std::array<int, 3>{0, 0, 0}));
}

TEST(Compiler, CoveredAndTinyPiecesAreDropped) {
    const Compiled c = compile(
        "<rect x='10' y='10' width='20' height='20' fill='red'/>"  // covered by the next
        "<rect x='5' y='5' width='40' height='40' fill='blue'/>"
        "<circle cx='150' cy='50' r='0.4' fill='green'/>"  // 32 units across: too small
        "<rect x='100' y='10' width='40' height='40' fill='orange'/>"
        "<rect x='100' y='10' width='39.5' height='40' fill='teal'/>"  // leaves a 40-unit sliver of orange
        "<rect x='150' y='60' width='40' height='30' fill='gray'/>");
    ASSERT_TRUE(c.loaded);
    EXPECT_EQ(c.result.covered, 1);
    EXPECT_EQ(c.result.tooSmall, 2);
    ASSERT_EQ(c.pattern().pieceCount, 3);
    EXPECT_EQ(rgb(c.pattern(), 0), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(rgb(c.pattern(), 1), (std::array<int, 3>{0, 128, 128}));
    EXPECT_TRUE(c.result.failures.empty());
}

TEST(Compiler, ColoursTooCloseToTellApartAreMerged) {
    const Compiled c = compile(
        "<rect width='100' height='100' fill='#ff0000'/>"
        "<rect x='120' width='50' height='50' fill='#fe0101'/>"
        "<rect x='120' y='60' width='50' height='30' fill='#e00000'/>");
    ASSERT_TRUE(c.loaded);
    EXPECT_EQ(c.pattern().colourCount, 2) << "#fe0101 joins #ff0000, #e00000 stays apart";
    EXPECT_EQ(rgb(c.pattern(), 1), (std::array<int, 3>{255, 0, 0})) << "the larger area's colour";
    EXPECT_EQ(rgb(c.pattern(), 2), (std::array<int, 3>{224, 0, 0}));
}

TEST(Compiler, AtMostTheGivenNumberOfColoursStayNearestMergingFirst) {
    // 40 stripes of distinct greys and hues, clear of the picture's edges.
    std::string stripes;
    for (int i = 0; i < 40; ++i) {
        const int v = i * 6;
        stripes += "<rect x='" + std::to_string(10 + i * 4.5) + "' width='4.5' height='100' fill='rgb(" +
                   std::to_string(v) + "," + std::to_string(i % 2 ? 255 - v : v) + "," +
                   std::to_string((i * 97) % 256) + ")'/>";
    }
    Compiled c = compile(stripes);
    ASSERT_TRUE(c.loaded);
    EXPECT_EQ(c.result.coloursBefore, 40);
    EXPECT_EQ(c.pattern().colourCount, 32);
    EXPECT_TRUE(c.result.failures.empty());

    // With room for two: the dark red, nearest the red, merges into it; blue stays.
    CompileOptions two;
    two.maxColours = 2;
    c = compile(
        "<rect width='80' height='100' fill='red'/><rect x='80' width='20' height='100' fill='#b02020'/>"
        "<rect x='100' width='100' height='100' fill='blue'/>",
        "0 0 200 100", two);
    ASSERT_EQ(c.pattern().colourCount, 2);
    EXPECT_EQ(rgb(c.pattern(), 1), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(rgb(c.pattern(), 2), (std::array<int, 3>{0, 0, 255}));
}

TEST(Compiler, LabelsKeepAwayFromThePicturesEdge) {
    // A strip along the top edge narrower than the label margin cannot carry a label.
    const Compiled c =
        compile("<rect width='200' height='100' fill='white'/><rect width='200' height='4' fill='black'/>");
    ASSERT_TRUE(c.loaded);
    EXPECT_EQ(c.pattern().pieceCount, 1);
    EXPECT_EQ(c.result.tooSmall, 1);
}
