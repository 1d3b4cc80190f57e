// Reading pattern files: the records, the variants, the palette.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "tests/support/pattern_builder.h"

namespace {

// Little-endian bytes written by hand, independent of the serializer.
struct Bytes {
    std::vector<std::byte> data;
    Bytes& u8(int v) {
        data.push_back(static_cast<std::byte>(v & 0xFF));
        return *this;
    }
    Bytes& u16(int v) { return u8(v).u8(v >> 8); }
    Bytes& u32(long long v) {
        return u16(static_cast<int>(v & 0xFFFF)).u16(static_cast<int>((v >> 16) & 0xFFFF));
    }
};

Bytes header(int points, int curves, int paths, int edges, int contours, int pieces, int colours,
             int polyline = 1, int rectilinear = 0) {
    Bytes b;
    b.u32(0).u32(100).u32(100).u8(polyline).u8(rectilinear).u32(16000);
    b.u16(points).u16(curves).u16(paths).u16(edges).u16(contours).u16(pieces).u16(colours);
    return b;
}

}  // namespace

TEST(PatternReader, TheSeventyEightByteRedSquare) {
    Bytes b = header(5, 0, 1, 1, 1, 1, 1);
    for (auto [x, y] : {std::pair{0, 0}, {16000, 0}, {16000, 16000}, {0, 16000}, {0, 0}}) {
        b.u16(x).u16(y);
    }
    b.u16(0).u16(4);                             // path
    b.u16(0).u8(1);                              // edge
    b.u16(0).u16(0);                             // contour
    b.u16(0).u16(0).u16(0).u16(8000).u16(8000);  // piece
    b.u8(255).u8(0).u8(0);                       // colour
    b.u16(0);                                    // trailer
    ASSERT_EQ(b.data.size(), 78u);
    EXPECT_EQ(b.data, serializePatternFile(redSquareFile())) << "the test builder writes the same bytes";

    const auto loaded = loadFromBytes(b.data);
    const Pattern& p = loaded->pattern;
    ASSERT_TRUE(p.loadError.empty()) << p.loadError;
    ASSERT_EQ(p.pieceCount, 1);
    EXPECT_EQ(
        (std::array{p.pieceTotal, p.piecesLeft, p.colourCount, p.coloursLeft, p.piecesLeftPerColour[0]}),
        (std::array{1, 1, 1, 1, 1}));
    EXPECT_EQ((std::array{p.selectedColour, p.missCount, p.colourLuma[0]}), (std::array{-1, 0, 76}));
    const Piece& square = p.pieces[0];
    EXPECT_EQ(contourPoints(square),
              (std::vector<POINT>{{-8000, -8000}, {8000, -8000}, {8000, 8000}, {-8000, 8000}}));
    // Colour, contours, points, bounds, label and painted flag.
    EXPECT_EQ((std::array{square.colour, square.contourCount, square.totalPoints, square.boundsMinX,
                          square.boundsMinY, square.boundsMaxX, square.boundsMaxY, square.labelX,
                          square.labelY, square.painted}),
              (std::array{0, 1, 4, -8000, -8000, 8000, 8000, 0, 0, 0}));
    ASSERT_TRUE(p.colourBrush[0] != nullptr && p.colourPen[0] != nullptr && p.outlinePen != nullptr);
    EXPECT_EQ(std::tuple(p.colourRef[0], p.colourBrush[0]->colour, p.colourPen[0]->width,
                         p.outlinePen->colour, p.screenPoints.size()),
              std::tuple(255u, 255u, 0, RGB(150, 150, 150), 45000u));
}

TEST(PatternReader, HeaderAndTrailerAloneGiveAPatternWithoutPiecesOrColours) {
    Bytes b = header(0, 0, 0, 0, 0, 0, 0, 0);
    b.u16(0);
    ASSERT_EQ(b.data.size(), 34u);
    const auto loaded = loadFromBytes(b.data);
    const Pattern& p = loaded->pattern;
    EXPECT_EQ(std::tuple(p.loadError, p.pieceCount, p.colourCount, p.pieces.size(), p.extentWidth),
              std::tuple("", 0, 0, 0u, 16000.0f));
}

TEST(PatternReader, AFileThatCannotBeOpenedLeavesThePatternEmpty) {
    LoadedTestPattern loaded;
    loadPattern(loaded.pattern, u"/no/such/folder/pattern.mza");
    const Pattern& p = loaded.pattern;
    EXPECT_EQ(std::tuple(p.loadError, p.pieceCount, p.colourCount, p.extentWidth),
              std::tuple("the file cannot be opened", 0, 0, 0.0f));
    EXPECT_TRUE(p.heap == nullptr && p.outlinePen == nullptr);
}

TEST(PatternReader, FieldsAShortFileDoesNotSupplyReadAsZero) {
    // The red square cut after its piece record: the colour reads as black.
    std::vector<std::byte> bytes = serializePatternFile(redSquareFile());
    bytes.resize(bytes.size() - 5);
    const auto loaded = loadFromBytes(bytes);
    ASSERT_TRUE(loaded->pattern.loadError.empty()) << loaded->pattern.loadError;
    EXPECT_EQ(std::tuple(loaded->pattern.colourCount, loaded->pattern.pieces[0].totalPoints,
                         loaded->pattern.colourRef[0]),
              std::tuple(1, 4, 0u));
}

TEST(PatternReader, UnusedColoursAreDroppedAndTheRestRenumberedInFileOrder) {
    PatternFile file = squareFile(true);
    addColour(file, 10, 20, 30);  // A
    addColour(file, 40, 50, 60);  // B: no piece names it
    addColour(file, 70, 80, 90);  // C
    addPolylinePiece(file, {{0, 0}, {8000, 0}, {8000, 8000}}, 2);
    addPolylinePiece(file, {{8000, 0}, {16000, 0}, {16000, 8000}}, 0);
    addPolylinePiece(file, {{0, 8000}, {8000, 8000}, {8000, 16000}}, 2);
    const auto loaded = loadFromRecords(file);
    const Pattern& p = loaded->pattern;
    ASSERT_EQ(p.colourCount, 2);
    EXPECT_EQ((std::array{p.colourRef[0], p.colourRef[1]}), (std::array{RGB(10, 20, 30), RGB(70, 80, 90)}));
    EXPECT_EQ((std::array<BYTE, 3>{70, 80, 90}), p.colourRGB[1]);
    // C shows the number 2: pieces' colours, then the pieces left per colour and the colours left.
    EXPECT_EQ((std::array{p.pieces[0].colour, p.pieces[1].colour, p.pieces[2].colour,
                          p.piecesLeftPerColour[0], p.piecesLeftPerColour[1], p.coloursLeft}),
              (std::array{1, 0, 1, 1, 2, 2}));
    EXPECT_EQ(platform::liveDrawingObjects(), 2 * 2 + 1) << "a brush and a pen per colour, one outline pen";
}

TEST(PatternReader, EachVariantReadsOnlyItsOwnGeometry) {
    // A curve file whose header also counts points: there is no point section.
    PatternFile curves = squareFile(false);
    addColour(curves, 1, 2, 3);
    curves.curves.push_back({{0, 0, 16000, 16000}, {0, 0, 0, 16000}, 3});
    curves.curves.push_back({{16000, 0, 0, 0}, {16000, 16000, 16000, 0}, 3});
    curves.paths.push_back({0, 1});
    curves.edges.push_back({0, 1});
    curves.contours.push_back({0, 0});
    curves.pieces.push_back({0, 0, 0, 8000, 8000});
    curves.header.pointRecordCount = 7;
    const auto fromCurves = loadFromRecords(curves);
    ASSERT_TRUE(fromCurves->pattern.loadError.empty()) << fromCurves->pattern.loadError;
    EXPECT_EQ(fromCurves->pattern.pieces[0].points[0], (POINT{-8000, 8000}));

    // rectilinearFlag 1 with polylineFlag 0 is the polyline variant; the
    // header's curve count does not add a curve section.
    PatternFile rect = redSquareFile();
    rect.header.polylineFlag = 0;
    rect.header.rectilinearFlag = 1;
    rect.header.curveRecordCount = 9;
    ASSERT_TRUE(rect.isPolyline());
    const auto fromRect = loadFromRecords(rect);
    ASSERT_TRUE(fromRect->pattern.loadError.empty()) << fromRect->pattern.loadError;
    EXPECT_EQ(std::tuple(fromRect->pattern.pieces[0].totalPoints, fromRect->pattern.colourRef[0]),
              std::tuple(4, 255u));

    // Any other nonzero rectilinear value has no effect of its own.
    PatternFile other = redSquareFile();
    other.header.polylineFlag = 0;
    other.header.rectilinearFlag = 2;
    EXPECT_FALSE(other.isPolyline());
}

TEST(PatternFileRecords, SerializeThenParseGivesTheSameRecords) {
    PatternFile file = squareFile(false);
    file.header.unused = -7;
    file.header.sourceWidth = 640;
    file.header.sourceHeight = 480;
    file.header.coordinateRange = 4096;
    file.curves.push_back({{1, 2, 3, 65535}, {5, 6, 7, 8}, 255});
    file.paths.push_back({0, 0});
    file.paths.push_back({5, 2});
    file.edges.push_back({1, 0});
    file.contours.push_back({0, 0});
    file.pieces.push_back({0, 0, 0, 12, 34});
    file.colours.push_back({9, 8, 7});
    file.trailer = 0xBEEF;
    // Writing the parsed records again gives the same bytes (the writer is held
    // to hand-written bytes above), so every field, at its widest, was read back.
    const std::vector<std::byte> bytes = serializePatternFile(file);
    const PatternFile back = parsePatternFile(bytes);
    EXPECT_EQ(serializePatternFile(back), bytes);
    EXPECT_EQ(
        std::tuple(back.header.curveRecordCount, back.curves[0].x[3], back.curves[0].y[0], back.trailer),
        std::tuple(1, 65535, 5, 0xBEEF));
}
