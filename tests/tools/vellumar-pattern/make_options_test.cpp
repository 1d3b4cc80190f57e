// The make options the library's manifest uses for drawings: --background
// and --view.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <string>

#include "tests/support/temp_folder.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/playability.h"

namespace {

// A red disc in the middle of a wide, otherwise empty picture.
constexpr const char* kDisc =
    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 200 100'>"
    "<circle cx='100' cy='50' r='30' fill='#ff0000'/></svg>";

class MakeOptions : public testing::Test {
  protected:
    void SetUp() override { folder.write("in.svg", kDisc); }
    TempFolder folder;
};

int make(const TempFolder& folder, const std::string& options) {
    const std::string command = std::string(VELLUMAR_PATTERN_TOOL) + " make '" +
                                (folder / "in.svg").string() + "' -o '" + (folder / "out.mza").string() +
                                "' --colours 2 --pieces 2 " + options + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST_F(MakeOptions, ABackgroundFillsWhatTheDrawingLeavesEmpty) {
    ASSERT_EQ(make(folder, "--background '#204060'"), 0);
    const auto loaded = loadForCommand((folder / "out.mza").string());
    ASSERT_NE(loaded, nullptr);
    const Pattern& p = loaded->pattern;
    ASSERT_EQ(p.pieceTotal, 2);
    const LabelLimits limits = labelLimitsAtZoom1(loaded->pattern);
    const int corner = hitPiece(p, limits.minX, limits.minY), centre = hitPiece(p, 0, 0);
    ASSERT_GE(corner, 0);
    ASSERT_GE(centre, 0);
    EXPECT_EQ(p.colourRGB[p.pieces[corner].colour], (std::array<BYTE, 3>{0x20, 0x40, 0x60}));
    EXPECT_EQ(p.colourRGB[p.pieces[centre].colour], (std::array<BYTE, 3>{0xFF, 0, 0}));
}

TEST_F(MakeOptions, AViewFramesPartOfTheDrawing) {
    // A square around the disc: the picture becomes square and the disc fills most of it.
    ASSERT_EQ(make(folder, "--view 60,10,80,80"), 0);
    const auto loaded = loadForCommand((folder / "out.mza").string());
    ASSERT_NE(loaded, nullptr);
    const Pattern& p = loaded->pattern;
    EXPECT_EQ(p.extentWidth, p.extentHeight);
    const int disc = hitPiece(p, 0, 0);
    ASSERT_GE(disc, 0);
    // The disc's radius is 30 of the view's 80: 6000 of 16000 pattern units.
    EXPECT_NEAR(p.pieces[disc].boundsMaxX, 6000, 30);
    EXPECT_NEAR(p.pieces[disc].boundsMinY, -6000, 30);
}

TEST_F(MakeOptions, BadValuesAreRefused) {
    for (const char* bad :
         {"--background 'rgba(0,0,0,0.5)'", "--background nonsense", "--view 0,0,0,10", "--view 1,2,3",
          "--colours 1", "--colours 33", "--pieces 0", "--detail extreme", "--max-size 8"}) {
        EXPECT_EQ(make(folder, bad), 2) << bad;
    }
}
