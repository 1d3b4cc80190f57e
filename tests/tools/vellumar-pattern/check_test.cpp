// The playability rules on hand-made patterns: each kind of failure is
// caught, and good patterns pass; `check` prints them and fails.
#include <gtest/gtest.h>

#include "tests/support/pattern_builder.h"
#include "tests/support/run_program.h"
#include "tools/vellumar-pattern/playability.h"

namespace {

// Raw polyline units of the square picture: pattern x = raw x - 8000, pattern
// y = raw y - 8000; labels are measured upwards, pattern y = 8000 - raw y.
void addRectangle(PatternFile& file, int left, int top, int right, int bottom, int colour, int labelX,
                  int labelY) {
    addPolylinePiece(file, {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}, colour,
                     labelX, labelY);
}

PatternFile goodPattern() {
    PatternFile file = squareFile(true);
    addColour(file, 250, 250, 250);
    addColour(file, 200, 0, 0);
    addRectangle(file, 0, 0, 16000, 16000, 0, 4000, 8000);
    addRectangle(file, 9000, 2000, 15000, 14000, 1, 12000, 8000);
    return file;
}

std::vector<std::string> failuresOf(const PatternFile& file) {
    const auto loaded = loadFromRecords(file);
    EXPECT_TRUE(loaded->pattern.loadError.empty()) << loaded->pattern.loadError;
    return playabilityFailures(loaded->pattern);
}

}  // namespace

// Beside a number of colours.
PatternFile withColours(int colours) {
    PatternFile file = goodPattern();
    for (int i = 0; i < colours - 2; ++i) {
        const int left = 1000 + i * 250;
        addColour(file, i, 100, 100);
        addRectangle(file, left, 1000, left + 240, 3000, 2 + i, left + 120, 14000);
    }
    return file;
}

PatternFile withLabel(PatternFile file, int piece, int labelX) {
    file.pieces[piece].labelX = static_cast<std::uint16_t>(labelX);
    return file;
}

// A strip beside the red piece.
PatternFile withStrip(int width) {
    PatternFile file = goodPattern();
    addRectangle(file, 6000, 2000, 6000 + width, 14000, 1, 6000 + width / 2, 8000);
    return file;
}

PatternFile redPieceAlone() {
    PatternFile file = goodPattern();
    file.pieces.erase(file.pieces.begin());
    file.pieces[0].labelX = 4000;
    return file;
}

TEST(Check, FindsEachKindOfFailureAndPassesWhatIsJustWithinTheRules) {
    const struct {
        const char* name;
        PatternFile file;
        const char* failure;  // nullptr: passes
    } cases[] = {
        {"a good pattern", goodPattern(), nullptr},
        {"32 colours", withColours(32), nullptr},
        {"33 colours", withColours(33), "uses 33 colours; the palette has 32 buttons"},
        // Where the red piece lies over the background.
        {"a label covered by a later piece", withLabel(goodPattern(), 0, 12000),
         "piece 0 (number 1, label at 4000, 0): a tap on its label hits piece 1"},
        {"a label outside its piece", redPieceAlone(), "hits no piece"},
        // The 240 x 168 board of the 240 x 294 screen shows the square picture at zoom 1
        // in a view trunc(16000 / (168 / 240)) = 22857 units wide, so numbers stay
        // trunc(22857 / 30) = 761 units in from each edge: pattern x -7239 is just inside.
        {"a label just inside the numbers' limits", withLabel(goodPattern(), 0, 8000 - 7239), nullptr},
        {"a label where the board draws no numbers", withLabel(goodPattern(), 0, 8000 - 7240),
         "outside x -7239 to 7239, y -7239 to 7239"},
        // At zoom 3.375 the 225 x 153 board shows trunc(23529 / 3.375) = 6971 units across,
        // 30.98 a pixel, so a tap 3 pixels off reaches 93 units: a strip 150 units wide is
        // too narrow, one of 240 is not.
        {"a strip 150 units wide", withStrip(150),
         "piece 2 (number 2, label at -1925, 0): too small to tap at zoom 3.375: 3 pixels from its label a "
         "tap "
         "hits piece 0"},
        {"a strip 240 units wide", withStrip(240), nullptr},
    };
    for (const auto& c : cases) {
        const auto failures = failuresOf(c.file);
        ASSERT_EQ(failures.size(), c.failure ? 1u : 0u)
            << c.name << ": " << (failures.empty() ? "" : failures[0]);
        if (c.failure) {
            EXPECT_NE(failures[0].find(c.failure), std::string::npos) << c.name << ": " << failures[0];
        }
    }
}

TEST(Planarity, FindsGapsAndOverlaps) {
    struct Case {
        std::vector<std::pair<int, int>> columns;  // raw x from and to of each full-height piece
        const char* failure;                       // nullptr: planar
    };
    const Case cases[] = {{{{0, 16000}}, nullptr},
                          {{{0, 8000}}, "lie in no piece"},
                          {{{0, 16000}, {0, 8000}}, "lie in two or more pieces"},
                          {{{0, 8000}, {8000, 16000}}, nullptr}};
    for (const Case& c : cases) {
        PatternFile file = squareFile(true);
        addColour(file, 200, 0, 0);
        for (const auto& [left, right] : c.columns) {
            addPolylinePiece(file, {{left, 0}, {right, 0}, {right, 16000}, {left, 16000}, {left, 0}}, 0);
        }
        const auto loaded = loadFromRecords(file);
        const std::vector<std::string> failures = planarityFailures(loaded->pattern);
        ASSERT_EQ(failures.size(), c.failure ? 1u : 0u) << (failures.empty() ? "" : failures[0]);
        if (c.failure) {
            EXPECT_NE(failures[0].find(c.failure), std::string::npos) << failures[0];
        }
    }
}

TEST(CheckTool, ReportsBrokenRulesAndFails) {
    TempFolder folder;
    PatternFile file = redSquareFile();
    file.pieces[0].labelX = 100;
    const auto bytes = serializePatternFile(file);
    folder.write("bad.mza", std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    const ToolRun r = runProgram(VELLUMAR_PATTERN_TOOL, "check " + (folder / "bad.mza").string(), folder);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("the label lies outside"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 rule broken"), std::string::npos) << r.out;
}
