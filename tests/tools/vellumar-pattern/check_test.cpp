// The playability rules on hand-made patterns: each kind of failure is
// caught, and good patterns pass; `check` prints them and fails.
#include <gtest/gtest.h>

#include <algorithm>

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

bool anyContains(const std::vector<std::string>& failures, const std::string& text) {
    return std::ranges::any_of(failures,
                               [&](const std::string& f) { return f.find(text) != std::string::npos; });
}

}  // namespace

TEST(Check, AGoodPatternPasses) {
    const auto failures = failuresOf(goodPattern());
    EXPECT_TRUE(failures.empty()) << failures.front();
}

TEST(Check, MoreColoursThanPaletteButtons) {
    for (const int colours : {32, 33}) {
        PatternFile file = goodPattern();
        for (int i = 0; i < colours - 2; ++i) {
            const int left = 1000 + i * 250;
            addColour(file, i, 100, 100);
            addRectangle(file, left, 1000, left + 240, 3000, 2 + i, left + 120, 14000);
        }
        const auto failures = failuresOf(file);
        EXPECT_EQ(anyContains(failures, "uses 33 colours; the palette has 32 buttons"), colours == 33);
        EXPECT_EQ(failures.size(), colours == 33 ? 1u : 0u) << failures.front();
    }
}

TEST(Check, ALabelCoveredByALaterPiece) {
    PatternFile file = goodPattern();
    file.pieces[0].labelX = 12000;  // where the red piece lies over the background
    const auto failures = failuresOf(file);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("piece 0 (number 1, label at 4000, 0): a tap on its label hits piece 1"),
              std::string::npos)
        << failures[0];
}

TEST(Check, ALabelOutsideItsPiece) {
    PatternFile file = goodPattern();
    file.pieces.erase(file.pieces.begin());  // no background: the red piece alone
    file.pieces[0].labelX = 4000;
    const auto failures = failuresOf(file);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("hits no piece"), std::string::npos) << failures[0];
}

TEST(Check, ALabelWhereTheBoardDrawsNoNumbers) {
    // The 240 x 168 board of the 240 x 294 screen shows the square picture at zoom 1
    // in a view trunc(16000 / (168 / 240)) = 22857 units wide, so numbers stay
    // trunc(22857 / 30) = 761 units in from each edge.
    PatternFile file = goodPattern();
    file.pieces[0].labelX = 8000 - 7239;  // pattern x -7239: just inside
    EXPECT_TRUE(failuresOf(file).empty());
    file.pieces[0].labelX = 8000 - 7240;
    const auto failures = failuresOf(file);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("outside x -7239 to 7239, y -7239 to 7239"), std::string::npos) << failures[0];
}

TEST(Check, APieceTooSmallToTapComfortably) {
    // At zoom 3.375 the 225 x 153 board shows trunc(23529 / 3.375) = 6971 units across,
    // 30.98 a pixel, so a tap 3 pixels off reaches 93 units: a strip 150 units wide is
    // too narrow, one of 240 is not.
    for (const int width : {150, 240}) {
        PatternFile file = goodPattern();
        addRectangle(file, 6000, 2000, 6000 + width, 14000, 1, 6000 + width / 2, 8000);
        const auto failures = failuresOf(file);
        if (width == 150) {
            ASSERT_EQ(failures.size(), 1u);
            EXPECT_NE(
                failures[0].find("piece 2 (number 2, label at -1925, 0): too small to tap at zoom 3.375: "
                                 "3 pixels from its label a tap hits piece 0"),
                std::string::npos)
                << failures[0];
        } else {
            EXPECT_TRUE(failures.empty()) << failures.front();
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
