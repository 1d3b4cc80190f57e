// vellumar-pattern make, run as a user runs it: a planar pattern that passes
// check, the same bytes every time, nothing left behind on failure; and the
// options the library's manifest uses for drawings, --background and --view.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/support/pattern_builder.h"
#include "tests/support/run_program.h"
#include "tools/codecs/png_writer.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/playability.h"

namespace {

ToolRun run(const std::string& arguments, const TempFolder& folder) {
    return runProgram(VELLUMAR_PATTERN_TOOL, arguments, folder);
}

// 120 x 80: a blue rectangle holding a green one, and a red disc, on cream,
// with a purple band along the top edge where the board draws no numbers.
void writeBlobs(const std::filesystem::path& path) {
    platform::Surface picture(120, 80);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            std::uint32_t c = 0xF0E0C0;
            c = x >= 10 && x < 60 && y >= 10 && y < 70 ? 0x2060C0 : c;
            c = (x - 85) * (x - 85) + (y - 40) * (y - 40) < 400 ? 0xC03020 : c;
            c = x >= 25 && x < 45 && y >= 25 && y < 55 ? 0x30A040 : c;
            picture.set(x, y, y < 3 ? 0x602080 : c);
        }
    }
    ASSERT_TRUE(codecs::writePng(picture, path.string()));
}

std::vector<std::string> filesIn(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
}

}  // namespace

TEST(MakeCommand, APlanarPatternThatPassesCheckTheSameEveryTime) {
    const TempFolder folder;
    writeBlobs(folder / "blobs.png");
    for (const std::string variant : {"", " --polylines"}) {
        const std::string make =
            "make " + (folder / "blobs.png").string() + " --colours 5 --pieces 5" + variant;
        const ToolRun first = run(make + " -o " + (folder / "a.mza").string(), folder);
        ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
        EXPECT_NE(first.out.find("4 pieces, 4 colours, from a 120 x 80 picture"), std::string::npos)
            << first.out;
        const ToolRun checked = run("check " + (folder / "a.mza").string(), folder);
        EXPECT_EQ(checked.exitCode, 0) << checked.out;
        ASSERT_EQ(run(make + " -o " + (folder / "b.mza").string(), folder).exitCode, 0);
        EXPECT_EQ(folder.read("a.mza"), folder.read("b.mza"));
        EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"a.mza", "b.mza", "blobs.png", "stderr.txt"}));
    }
}

TEST(MakeCommand, ABadPictureGivesOneLineAndNoFile) {
    const TempFolder folder;
    writeBlobs(folder / "blobs.png");
    const std::string png = folder.read("blobs.png");
    folder.write("cut.png", png.substr(0, png.size() / 2));
    folder.write(
        "flat.svg",
        "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 4 4'><rect width='4' height='4'/></svg>");
    const std::pair<const char*, const char*> cases[] = {
        {"cut.png", "truncated PNG"}, {"flat.svg", "single colour"}, {"missing.png", "cannot be opened"}};
    for (const auto& [input, reason] : cases) {
        const std::string path = (folder / input).string();
        const ToolRun made = run("make " + path + " -o " + (folder / "out.mza").string(), folder);
        EXPECT_EQ(made.exitCode, 1) << input;
        EXPECT_EQ(made.err.find("vellumar-pattern: " + path + ": "), 0u) << made.err;
        EXPECT_NE(made.err.find(reason), std::string::npos) << made.err;
        EXPECT_EQ(std::ranges::count(made.err, '\n'), 1) << made.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "out.mza"));
    }
    const ToolRun nowhere =
        run("make " + (folder / "blobs.png").string() + " -o " + (folder / "no/out.mza").string(), folder);
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_NE(nowhere.err.find("no/out.mza: cannot be written"), std::string::npos) << nowhere.err;
    EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"blobs.png", "cut.png", "flat.svg", "stderr.txt"}));
}

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
    return run("make '" + (folder / "in.svg").string() + "' -o '" + (folder / "out.mza").string() +
                   "' --colours 2 --pieces 2 " + options,
               folder)
        .exitCode;
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
