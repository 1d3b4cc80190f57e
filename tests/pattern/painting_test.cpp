#include "pattern/painting.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "tests/support/pattern_builder.h"

namespace {

using Sounds = std::vector<std::string>;

// The counts a paint changes, in one comparable value.
struct Counts {
    int piecesLeft, coloursLeft, misses, selected;
    std::array<int, 3> leftPerColour;
    friend bool operator==(const Counts&, const Counts&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Counts& c) {
        return out << c.piecesLeft << " pieces, " << c.coloursLeft << " colours, " << c.misses
                   << " misses, selected " << c.selected << ", per colour " << c.leftPerColour[0] << " "
                   << c.leftPerColour[1] << " " << c.leftPerColour[2];
    }
};

// Four squares in a 2 x 2 grid: colours 0, 1, 1, 2 (numbers 1, 2, 2, 3).
class Painting : public ::testing::Test {
  protected:
    std::unique_ptr<LoadedTestPattern> loaded;
    Pattern* p = nullptr;

    void SetUp() override {
        loaded = loadFromRecords(fourSquaresFile());
        p = &loaded->pattern;
        ASSERT_TRUE(p->loadError.empty()) << p->loadError;
    }

    // Taps the middle of grid cell `piece`.
    int tap(int piece, std::int32_t& index) {
        if (piece == 4) {
            return paintAt(*p, 9000, 0, index);
        }
        return paintAt(*p, piece % 2 == 0 ? -4000 : 4000, piece < 2 ? -4000 : 4000, index);
    }
    int tap(int piece) {
        std::int32_t index = -1;
        return tap(piece, index);
    }
    Sounds sounds() {
        Sounds log = loaded->backend.soundLog();
        loaded->backend.clearSoundLog();
        return log;
    }
    void setMode(std::uint32_t mode) { loaded->settings.PaintingMode = mode; }

    Counts counts() const {
        return {p->piecesLeft,
                p->coloursLeft,
                p->missCount,
                p->selectedColour,
                {p->piecesLeftPerColour[0], p->piecesLeftPerColour[1], p->piecesLeftPerColour[2]}};
    }
};

}  // namespace

// One tap: the painting mode, the colour selected first (kKeep: as the last
// tap left it), the grid cell tapped (4: outside every piece) and what paintAt answers.
constexpr int kKeep = -2;
struct Tap {
    std::uint32_t mode;
    int colour, cell, painted;
};
struct PaintCase {
    const char* name;
    std::vector<Tap> taps;
    Counts after;
    Sounds sounds;
    bool sound = true;
};

TEST_F(Painting, EachTapPaintsMissesOrIsIgnoredByTheModeTheColourAndThePiece) {
    const PaintCase cases[] = {
        {"the right colour paints; colour 1 still has a piece",
         {{0, 1, 1, 1}},
         {3, 3, 0, 1, {1, 1, 1}},
         {"IDR_FILL"}},
        {"a wrong colour misses, on a painted piece too",
         {{0, 1, 1, 1}, {0, kKeep, 0, 0}, {0, 0, 1, 0}},
         {3, 3, 2, 0, {1, 1, 1}},
         {"IDR_FILL", "IDR_ERROR", "IDR_ERROR"}},
        {"finishing a colour deselects it: the next tap misses",
         {{0, 1, 1, 1}, {0, kKeep, 2, 1}, {0, kKeep, 3, 0}},
         {2, 2, 1, -1, {1, 0, 1}},
         {"IDR_FILL", "IDR_FILL", "IDR_FINISHCOLOR", "IDR_ERROR"}},
        {"the same in Hint mode",
         {{1, 1, 1, 1}, {1, kKeep, 2, 1}, {1, kKeep, 3, 0}},
         {2, 2, 1, -1, {1, 0, 1}},
         {"IDR_FILL", "IDR_FILL", "IDR_FINISHCOLOR", "IDR_ERROR"}},
        {"a painted piece with its own colour only fills; a colour finishes once",
         {{0, 0, 0, 1}, {0, 0, 0, 1}},
         {3, 2, 0, 0, {0, 2, 1}},
         {"IDR_FILL", "IDR_FINISHCOLOR", "IDR_FILL"}},
        // Back in Normal, the free-painted piece with its own colour fills and
        // nothing else, so colour 2 cannot finish by painting.
        {"Free paints any piece any colour; only the first paint counts",
         {{2, 1, 3, 1}, {2, 2, 3, 1}, {0, kKeep, 3, 1}},
         {3, 3, 0, 2, {1, 2, 1}},
         {"IDR_FILL", "IDR_FILL", "IDR_FILL"}},
        {"Free without a colour ignores the tap", {{2, -1, 0, 0}}, {4, 3, 0, -1, {1, 2, 1}}, {}},
        {"Normal without a colour misses", {{0, -1, 0, 0}}, {4, 3, 1, -1, {1, 2, 1}}, {"IDR_ERROR"}},
        {"outside every piece nothing happens", {{0, 0, 4, 0}}, {4, 3, 0, 0, {1, 2, 1}}, {}},
        {"with the sound off the rules are the same",
         {{0, 0, 0, 1}, {0, kKeep, 1, 0}},
         {3, 2, 1, -1, {0, 2, 1}},
         {},
         false},
    };
    for (const PaintCase& c : cases) {
        resetPainting(*p);
        loaded->settings.Sound = c.sound ? 1 : 0;
        for (const Tap& tap : c.taps) {
            setMode(tap.mode);
            if (tap.colour != kKeep) {
                p->selectedColour = tap.colour;
            }
            const int colour = p->selectedColour;
            std::int32_t index = 77;
            EXPECT_EQ(this->tap(tap.cell, index), tap.painted) << c.name;
            EXPECT_EQ(index, tap.painted ? tap.cell : 77) << c.name;
            if (tap.painted) {
                EXPECT_EQ(p->pieces[tap.cell].painted, 1) << c.name;
                EXPECT_EQ(p->pieces[tap.cell].paintedColour, colour) << c.name;
            }
        }
        EXPECT_EQ(counts(), c.after) << c.name;
        EXPECT_EQ(sounds(), c.sounds) << c.name;
    }
}

TEST_F(Painting, ResetCountsEveryColourAgainEvenAfterFreePainting) {
    setMode(2);
    p->selectedColour = 0;
    for (int piece = 0; piece < 4; ++piece) {
        tap(piece);
    }
    setMode(0);
    p->selectedColour = 2;
    tap(0);
    ASSERT_EQ(p->missCount, 1);
    resetPainting(*p);
    EXPECT_EQ(counts(), (Counts{4, 3, 0, -1, {1, 2, 1}}));
    EXPECT_EQ(countUnpaintedPieces(*p), 4);
    EXPECT_EQ(p->pieces[1].paintedColour, 0) << "the painted colour is left as it was";
}

TEST_F(Painting, CompleteLeavesTheMissesAndTheColourCounts) {
    p->selectedColour = 0;
    tap(1);
    tap(0);
    ASSERT_EQ(p->coloursLeft, 2);
    completePainting(*p);
    EXPECT_EQ(counts(), (Counts{0, 2, 1, -1, {0, 2, 1}}));
    for (const Piece& piece : p->pieces) {
        EXPECT_EQ(piece.painted, 1);
        EXPECT_EQ(piece.paintedColour, piece.colour);
    }
    EXPECT_EQ(countUnpaintedPieces(*p), 0);
    EXPECT_EQ(colourHasUnpaintedPiece(*p, 1), 0);
}
