// The compile options the library's manifest uses: --background and --view.
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

int compile(const TempFolder& folder, const std::string& options) {
    const std::string command = std::string(VELLUMAR_PATTERN_TOOL) + " compile '" +
                                (folder / "in.svg").string() + "' -o '" + (folder / "out.mza").string() +
                                "' " + options + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(CompileOptions, WithoutABackgroundTheEmptyCornersHaveNoPiece) {
    const TempFolder folder;
    folder.write("in.svg", kDisc);
    ASSERT_EQ(compile(folder, ""), 0);
    const auto loaded = loadForCommand((folder / "out.mza").string());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->pattern.pieceTotal, 1);
    const LabelLimits limits = labelLimitsAtZoom1(loaded->pattern);
    EXPECT_EQ(hitPiece(loaded->pattern, limits.minX, limits.minY), -1);
}

TEST(CompileOptions, ABackgroundFillsTheFrameUnderThePicture) {
    const TempFolder folder;
    folder.write("in.svg", kDisc);
    ASSERT_EQ(compile(folder, "--background '#204060'"), 0);
    const auto loaded = loadForCommand((folder / "out.mza").string());
    ASSERT_NE(loaded, nullptr);
    const Pattern& p = loaded->pattern;
    ASSERT_EQ(p.pieceTotal, 2);
    const LabelLimits limits = labelLimitsAtZoom1(loaded->pattern);
    const int corner = hitPiece(p, limits.minX, limits.minY);
    ASSERT_EQ(corner, 0);  // the background comes first, under the disc
    const auto& rgb = p.colourRGB[p.pieces[0].colour];
    EXPECT_EQ(rgb[0], 0x20);
    EXPECT_EQ(rgb[1], 0x40);
    EXPECT_EQ(rgb[2], 0x60);
    EXPECT_EQ(hitPiece(p, 0, 0), 1);  // the disc lies over it
}

TEST(CompileOptions, AViewFramesPartOfTheDrawing) {
    const TempFolder folder;
    folder.write("in.svg", kDisc);
    // A square around the disc: the picture becomes square and the disc fills most of it.
    ASSERT_EQ(compile(folder, "--view 60,10,80,80"), 0);
    const auto loaded = loadForCommand((folder / "out.mza").string());
    ASSERT_NE(loaded, nullptr);
    const Pattern& p = loaded->pattern;
    EXPECT_EQ(p.extentWidth, p.extentHeight);
    ASSERT_EQ(p.pieceTotal, 1);
    // The disc's radius is 30 of the view's 80: 6000 of 16000 pattern units.
    EXPECT_NEAR(p.pieces[0].boundsMaxX, 6000, 20);
    EXPECT_NEAR(p.pieces[0].boundsMinY, -6000, 20);
}

TEST(CompileOptions, BadValuesAreRefused) {
    const TempFolder folder;
    folder.write("in.svg", kDisc);
    EXPECT_EQ(compile(folder, "--background 'rgba(0,0,0,0.5)'"), 2);
    EXPECT_EQ(compile(folder, "--background nonsense"), 2);
    EXPECT_EQ(compile(folder, "--view 0,0,0,10"), 2);
    EXPECT_EQ(compile(folder, "--view 1,2,3"), 2);
}
