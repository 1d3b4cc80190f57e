#include "pattern/painting.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "tests/support/pattern_builder.h"

namespace {

using Sounds = std::vector<std::string>;

// Four squares in a 2 x 2 grid: colours 0, 1, 1, 2 (numbers 1, 2, 2, 3).
class Painting : public ::testing::Test {
  protected:
    std::unique_ptr<LoadedTestPattern> loaded;
    Pattern* p = nullptr;

    void SetUp() override {
        PatternFile file = squareFile(true);
        addColour(file, 250, 0, 0);
        addColour(file, 0, 250, 0);
        addColour(file, 0, 0, 250);
        addPolylinePiece(file, {{0, 0}, {8000, 0}, {8000, 8000}, {0, 8000}}, 0);
        addPolylinePiece(file, {{8000, 0}, {16000, 0}, {16000, 8000}, {8000, 8000}}, 1);
        addPolylinePiece(file, {{0, 8000}, {8000, 8000}, {8000, 16000}, {0, 16000}}, 1);
        addPolylinePiece(file, {{8000, 8000}, {16000, 8000}, {16000, 16000}, {8000, 16000}}, 2);
        loaded = loadFromRecords(file);
        p = &loaded->pattern;
        ASSERT_TRUE(p->loadError.empty()) << p->loadError;
    }

    // Taps the middle of grid cell `piece`.
    int tap(int piece, std::int32_t& index) {
        const int x = piece % 2 == 0 ? -4000 : 4000;
        const int y = piece < 2 ? -4000 : 4000;
        return paintAt(*p, x, y, index);
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
    Counts counts() const {
        return {p->piecesLeft,
                p->coloursLeft,
                p->missCount,
                p->selectedColour,
                {p->piecesLeftPerColour[0], p->piecesLeftPerColour[1], p->piecesLeftPerColour[2]}};
    }
};

}  // namespace

TEST_F(Painting, ATapOutsideEveryPieceChangesNothingAndPlaysNothing) {
    p->selectedColour = 0;
    std::int32_t index = 77;
    EXPECT_EQ(paintAt(*p, 9000, 0, index), 0);
    EXPECT_EQ(index, 77);
    EXPECT_EQ(p->missCount, 0);
    EXPECT_TRUE(sounds().empty());
}

TEST_F(Painting, TheRightColourPaintsAndTheWrongOneIsAMissEvenOnAPaintedPiece) {
    p->selectedColour = 1;
    std::int32_t index = -1;
    EXPECT_EQ(tap(1, index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(p->pieces[1].painted, 1);
    EXPECT_EQ(p->pieces[1].paintedColour, 1);
    EXPECT_EQ(counts(), (Counts{3, 3, 0, 1, {1, 1, 1}})) << "colour 1 still has a piece";
    EXPECT_EQ(sounds(), (Sounds{"IDR_FILL"}));

    EXPECT_EQ(tap(0), 0);
    EXPECT_EQ(p->missCount, 1);
    EXPECT_EQ(p->pieces[0].painted, 0);
    p->selectedColour = 0;
    EXPECT_EQ(tap(1), 0) << "a painted piece tapped with another colour";
    EXPECT_EQ(p->missCount, 2);
    EXPECT_EQ(sounds(), (Sounds{"IDR_ERROR", "IDR_ERROR"}));
}

TEST_F(Painting, FinishingAColourPlaysBothSoundsDeselectsItAndTheNextTapIsAMiss) {
    for (std::uint32_t mode : {0u, 1u}) {
        SCOPED_TRACE(mode);
        resetPainting(*p);
        setMode(mode);
        p->selectedColour = 1;
        tap(1);
        sounds();
        EXPECT_EQ(tap(2), 1);
        EXPECT_EQ(sounds(), (Sounds{"IDR_FILL", "IDR_FINISHCOLOR"}));
        EXPECT_EQ(tap(3), 0);
        EXPECT_EQ(counts(), (Counts{2, 2, 1, -1, {1, 0, 1}}));
        EXPECT_EQ(sounds(), (Sounds{"IDR_ERROR"}));
    }
}

TEST_F(Painting, TappingAPaintedPieceWithItsOwnColourOnlyPlaysTheFill) {
    p->selectedColour = 0;
    tap(0);  // finishes colour 0
    p->selectedColour = 0;
    sounds();
    EXPECT_EQ(tap(0), 1);
    EXPECT_EQ(sounds(), (Sounds{"IDR_FILL"}));
    EXPECT_EQ(counts(), (Counts{3, 2, 0, 0, {0, 2, 1}})) << "a colour finishes once";
}

TEST_F(Painting, FreeModePaintsAnyPieceWithAnyColourAndCountsNothing) {
    setMode(2);
    p->selectedColour = 1;
    EXPECT_EQ(tap(3), 1);
    EXPECT_EQ(p->piecesLeft, 3);
    p->selectedColour = 2;
    EXPECT_EQ(tap(3), 1);
    EXPECT_EQ(p->pieces[3].paintedColour, 2);
    EXPECT_EQ(counts(), (Counts{3, 3, 0, 2, {1, 2, 1}})) << "only the first paint lowers the pieces left";
    EXPECT_EQ(sounds(), (Sounds{"IDR_FILL", "IDR_FILL"}));

    // Back in Normal mode, the free-painted piece with its own colour: a fill
    // and nothing else, so colour 2 cannot finish by painting.
    setMode(0);
    EXPECT_EQ(tap(3), 1);
    EXPECT_EQ(sounds(), (Sounds{"IDR_FILL"}));
    EXPECT_EQ(counts(), (Counts{3, 3, 0, 2, {1, 2, 1}}));
}

TEST_F(Painting, FreeModeWithoutASelectedColourIgnoresTheTap) {
    setMode(2);
    EXPECT_EQ(tap(0), 0);
    EXPECT_EQ(p->pieces[0].painted, 0);
    EXPECT_EQ(p->missCount, 0);
    EXPECT_TRUE(sounds().empty());
}

TEST_F(Painting, WithoutAColourInNormalModeEveryHitIsAMiss) {
    EXPECT_EQ(tap(0), 0);
    EXPECT_EQ(p->missCount, 1);
    EXPECT_EQ(sounds(), (Sounds{"IDR_ERROR"}));
}

TEST_F(Painting, WithSoundOffTheRulesAreTheSameButSilent) {
    loaded->settings.Sound = 0;
    p->selectedColour = 0;
    EXPECT_EQ(tap(0), 1);
    EXPECT_EQ(tap(1), 0);
    EXPECT_EQ(counts(), (Counts{3, 2, 1, -1, {0, 2, 1}}));
    EXPECT_TRUE(sounds().empty());
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

TEST_F(Painting, WhereTwoPiecesOverlapTheLaterTakesTheTap) {
    PatternFile file = squareFile(true);
    addColour(file, 1, 1, 1);
    addColour(file, 2, 2, 2);
    addPolylinePiece(file, {{0, 0}, {16000, 0}, {16000, 16000}, {0, 16000}}, 0);
    addPolylinePiece(file, {{4000, 4000}, {12000, 4000}, {12000, 12000}, {4000, 12000}}, 1);
    auto overlap = loadFromRecords(file);
    overlap->pattern.selectedColour = 1;
    std::int32_t index = -1;
    EXPECT_EQ(paintAt(overlap->pattern, 0, 0, index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(paintAt(overlap->pattern, -6000, 0, index), 0)
        << "outside the later piece the first one is hit";
    EXPECT_EQ(overlap->pattern.missCount, 1);
}

TEST_F(Painting, ColourHasUnpaintedPieceFollowsThePieces) {
    EXPECT_EQ(colourHasUnpaintedPiece(*p, 1), 1);
    p->selectedColour = 1;
    tap(1);
    EXPECT_EQ(colourHasUnpaintedPiece(*p, 1), 1);
    tap(2);
    EXPECT_EQ(colourHasUnpaintedPiece(*p, 1), 0);
    EXPECT_EQ(colourHasUnpaintedPiece(*p, 7), 0);
}
