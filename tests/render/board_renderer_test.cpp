// The board as it is drawn: fills, outlines and numbers by state, scheme and
// mode, read back pixel by pixel.
#include "render/board_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <span>

#include "core/window_colour.h"
#include "pattern/painting.h"
#include "pattern/view_transform.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/pixels/surface.h"
#include "render/board_picture.h"
#include "tests/support/pattern_builder.h"

namespace {

constexpr COLORREF kGray = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBackground = kWindowColour;
constexpr COLORREF kOutline = RGB(150, 150, 150);
constexpr COLORREF kRed = RGB(250, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 250);

// A board of the given size on a surface that stands for the window, with
// the game's brushes and font.
class Board : public ::testing::Test {
  protected:
    std::unique_ptr<LoadedTestPattern> loaded;
    Pattern* p = nullptr;
    platform::Surface window;
    HDC dc = nullptr;
    HBITMAP buffer = nullptr;
    BoardView view;
    const GameBoardBrushes gameBrushes{96};
    const BoardBrushes& brushes = gameBrushes.get();

    ~Board() override {
        DeleteObject(buffer);
        DeleteDC(dc);
    }

    // Four squares in a 2 x 2 grid, colours 0, 1, 1, 2; labels at their centres.
    void load() { loadRecords(fourSquaresFile(), 240, 240); }

    void loadRecords(const PatternFile& file, int width, int height) {
        loaded = loadFromRecords(file);
        p = &loaded->pattern;
        ASSERT_TRUE(p->loadError.empty()) << p->loadError;
        window = platform::Surface(width, height, 0x123456);
        dc = platform::createSurfaceDC(window);
        view.area = {0, 0, width, height};
        fitToBoard(*p, width, height);
    }

    void draw() { drawBoard(dc, buffer, p, view, brushes); }
    COLORREF at(int x, int y) const { return platform::colourFromPixel(window.at(x, y)); }
    // Pixels of the box that differ from `fill`: the number drawn in it.
    int marksIn(int left, int top, int right, int bottom, COLORREF fill) const {
        return count(left, top, right, bottom, [&](COLORREF c) { return c != fill; });
    }
    // Pixels of the box within a small distance of `colour`: text is
    // anti-aliased, so its thin strokes rarely reach the exact colour.
    int pixelsNear(int left, int top, int right, int bottom, COLORREF colour) const {
        return count(left, top, right, bottom, [&](COLORREF c) {
            return std::abs(GetRValue(c) - GetRValue(colour)) + std::abs(GetGValue(c) - GetGValue(colour)) +
                       std::abs(GetBValue(c) - GetBValue(colour)) <
                   120;
        });
    }
    int count(int left, int top, int right, int bottom, const std::function<bool(COLORREF)>& counted) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                n += counted(at(x, y)) ? 1 : 0;
            }
        }
        return n;
    }
    // Which cells carry a number on white, in the label box of each grid cell
    // at zoom 1 on a 240-pixel board: 1 numbered, 0 blank, -1 a few stray marks.
    std::array<int, 4> numberedCells() const {
        std::array<int, 4> numbered{};
        for (int cell = 0; cell < 4; ++cell) {
            const int cx = cell % 2 == 0 ? 60 : 180, cy = cell < 2 ? 60 : 180;
            const int marks = marksIn(cx - 8, cy - 8, cx + 8, cy + 8, kWhite);
            numbered[cell] = marks > 5 ? 1 : marks == 0 ? 0 : -1;
        }
        return numbered;
    }
};

}  // namespace

TEST_F(Board, EachSchemeFillsAndNumbersInItsOwnColours) {
    load();
    const std::array<std::pair<COLORREF, COLORREF>, 5> schemes = {
        {{kWhite, kBlack}, {kBlack, kWhite}, {kWhite, kBackground}, {kBackground, kWhite}, {kWhite, kBlack}}};
    for (std::uint32_t scheme = 0; scheme < 5; ++scheme) {
        SCOPED_TRACE(scheme);
        loaded->settings.ColorScheme = scheme;  // 4 cannot be stored by the game; it draws as 0
        draw();
        EXPECT_EQ(at(30, 30), schemes[scheme].first);
        EXPECT_GT(pixelsNear(52, 52, 68, 68, schemes[scheme].second), 3);
    }
}

TEST_F(Board, HintModeNumbersOnlyTheSelectedColourAndFreeModeNone) {
    load();
    loaded->settings.PaintingMode = 1;
    draw();
    EXPECT_EQ(numberedCells(), (std::array{0, 0, 0, 0})) << "no colour selected: no numbers";
    p->selectedColour = 1;
    draw();
    EXPECT_EQ(numberedCells(), (std::array{0, 1, 1, 0}));
    loaded->settings.PaintingMode = 2;
    draw();
    EXPECT_EQ(numberedCells(), (std::array{0, 0, 0, 0})) << "Free mode shows no numbers";
}

TEST_F(Board, ALabelOutsideThePictureIsPulledInsideByTheMargin) {
    PatternFile file = squareFile(true);
    addColour(file, 250, 0, 0);
    addPolylinePiece(file, {{0, 0}, {16000, 0}, {16000, 16000}, {0, 16000}}, 0, 0, 16000);
    loadRecords(file, 240, 240);
    draw();
    // labelMargin = trunc(16000 / 30) = 533 units = 7.995 pixels in from the top left corner.
    EXPECT_GT(marksIn(0, 0, 16, 16, kWhite), 2);
    EXPECT_EQ(marksIn(20, 20, 60, 60, kWhite), 0);
}

TEST_F(Board, APieceThatOnlyTouchesTheVisibleWindowIsNotDrawn) {
    load();
    view.zoom = 2.0f;
    view.centreX = -4000;  // the visible window is exactly the first piece: x and y from -8000 to 0
    view.centreY = -4000;
    draw();
    setZoom(*p, 2.0f);
    setCentre(*p, -4000, -4000);
    for (int piece = 0; piece < 4; ++piece) {
        EXPECT_EQ(isPieceVisible(*p, p->pieces[piece]), piece == 0) << piece;
    }
    // The first piece fills the board; the neighbours' outlines along the
    // right and bottom edges are not drawn (only the first piece's own outline
    // at x = 240 falls outside the board).
    EXPECT_EQ((std::array{at(239, 100), at(100, 239), at(0, 100)}), (std::array{kWhite, kWhite, kOutline}));
}

TEST_F(Board, TheQuickRedrawGivesThePixelsOfAFullRedrawWhilePiecesArePaintedInOrder) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // A 5 x 5 grid of squares sharing their borders, in 5 colours.
    PatternFile file = squareFile(true);
    for (int c = 0; c < 5; ++c) {
        addColour(file, 40 * c, 255 - 40 * c, 60 + 30 * c);
    }
    for (int k = 0; k < 25; ++k) {
        const int x = (k % 5) * 3200, y = (k / 5) * 3200;
        addPolylinePiece(file, {{x, y}, {x + 3200, y}, {x + 3200, y + 3200}, {x, y + 3200}}, (k * 3) % 5,
                         x + 1600, 16000 - y - 1600);
    }
    loadRecords(file, 240, 294);
    for (int round = 0; round < 4; ++round) {
        view.zoom = round == 0 ? 1.0f : 1.5f * static_cast<float>(round);
        view.centreX = round * 900;
        view.centreY = -round * 700;
        resetPainting(*p);
        draw();
        // Pieces after the tapped one are unpainted, as in a game played in
        // file order: then the quick redraw leaves nothing for a full one to add.
        for (int index = 0; index < 25; ++index) {
            if (random() % 3 == 0) {
                continue;
            }
            p->selectedColour = p->pieces[index].colour;
            paintPiece(*p, index, p->selectedColour);
            drawBoardFrom(dc, buffer, p, view, brushes, index);
            const platform::Surface quick = window;
            draw();
            ASSERT_TRUE(std::ranges::equal(quick.pixels(), window.pixels()))
                << "round " << round << ", piece " << index;
        }
    }
}

TEST_F(Board, TheQuickRedrawLeavesALaterPaintedNeighboursBorderOverAnOutline) {
    // The quick redraw refills the pieces from the tapped one on but redraws
    // only the outlines of the pieces before it: where a later painted piece
    // borders an unpainted one after the tap, its own colour stays on the
    // shared border until the next full redraw shows the grey outline there.
    load();
    p->pieces[3].painted = 1;
    p->pieces[3].paintedColour = 2;
    draw();
    EXPECT_EQ(at(180, 120), kOutline);
    p->pieces[0].painted = 1;
    drawBoardFrom(dc, buffer, p, view, brushes, 0);
    EXPECT_EQ(at(180, 120), kBlue) << "piece 3's border over piece 1's outline";
    EXPECT_EQ(at(60, 60), kRed);
    draw();
    EXPECT_EQ(at(180, 120), kOutline);
}

TEST_F(Board, WithoutAPatternTheBoardIsGrayAndTheQuickRedrawDoesNothing) {
    load();
    drawBoardFrom(dc, buffer, p, view, brushes, 0);
    EXPECT_EQ(at(30, 30), platform::colourFromPixel(0x123456)) << "no buffer before the first full redraw";
    drawBoard(dc, buffer, nullptr, view, brushes);
    EXPECT_EQ(at(30, 30), kGray);
}

// Band by band, every band height gives the board drawn in one go, in the
// window and in the buffer the quick redraw builds on: random pieces crossing
// the bands' edges, some painted, numbers larger than their boxes, whole and
// zoomed in off centre (pieces cut by the view).
TEST_F(Board, DrawnInBandsItIsTheBoardDrawnInOneGo) {
    std::mt19937 random(15);
    std::uniform_int_distribution<int> coordinate(0, 16000);
    PatternFile file = squareFile(true);
    for (const COLORREF c : {kRed, kBlue, kBlack}) {
        addColour(file, GetRValue(c), GetGValue(c), GetBValue(c));
    }
    for (int piece = 0; piece < 15; ++piece) {
        // Random polygons, and rings of many short lines (as a piece's outline).
        std::vector<std::pair<int, int>> points(piece % 2 == 0 ? 3 + piece % 6 : 90);
        const int x = coordinate(random), y = coordinate(random), radius = 2000 + coordinate(random) / 2;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double turn = 6.2832 * static_cast<double>(i) / static_cast<double>(points.size());
            points[i] = piece % 2 == 0
                            ? std::pair{coordinate(random), coordinate(random)}
                            : std::pair{std::clamp(x + static_cast<int>(radius * std::cos(turn)), 0, 16000),
                                        std::clamp(y + static_cast<int>(radius * std::sin(turn)), 0, 16000)};
        }
        addPolylinePiece(file, points, piece % 3, coordinate(random), coordinate(random));
    }
    loadRecords(file, 90, 150);
    for (std::size_t k = 0; k < p->pieces.size(); k += 3) {
        paintPiece(*p, static_cast<std::int32_t>(k), p->pieces[k].colour);
    }
    // The board below and right of the window's corner, as the game's is.
    DeleteDC(dc);
    window = platform::Surface(100, 165, 0x123456);
    dc = platform::createSurfaceDC(window);
    const RECT area{6, 11, 96, 161};
    for (const BoardView shown : {BoardView{area, 1.0f, 0, 0}, BoardView{area, 2.5f, 3000, -2000}}) {
        view = shown;
        drawBoardInBands(dc, buffer, p, view, brushes, 150);
        const std::vector<platform::Pixel> inOneGo(window.pixels().begin(), window.pixels().end());
        const platform::Surface& kept = platform::bitmapSurface(buffer);
        const std::vector<platform::Pixel> keptInOneGo(kept.pixels().begin(), kept.pixels().end());
        for (const int rows : {1, 2, 7, 64}) {
            drawBoardInBands(dc, buffer, p, view, brushes, rows);
            EXPECT_TRUE(std::ranges::equal(window.pixels(), inOneGo)) << rows << " rows, zoom " << view.zoom;
            EXPECT_TRUE(std::ranges::equal(platform::bitmapSurface(buffer).pixels(), keptInOneGo)) << rows;
        }
        // And the window shows the kept board at the board's place.
        for (int y = 0; y < 150; ++y) {
            ASSERT_TRUE(std::ranges::equal(std::span(window.row(area.top + y) + area.left, 90),
                                           std::span(kept.row(y), 90)))
                << "row " << y;
        }
    }
}
