// vellumar-pattern compile and check, run as a user runs them.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <fstream>

#include "tests/support/pattern_builder.h"
#include "tests/support/run_program.h"

namespace {

ToolRun run(const std::string& arguments, const TempFolder& folder) {
    return runProgram(VELLUMAR_PATTERN_TOOL, arguments, folder);
}

const char* const kPicture =
    "<svg xmlns='http://www.w3.org/2000/svg' width='300' height='200'>"
    "<rect width='300' height='200' fill='#eee'/>"
    "<ellipse cx='150' cy='100' rx='80' ry='50' fill='#235' opacity='0.5'/>"
    "<text x='10' y='10'>words</text>"
    "<rect x='-50' y='150' width='120' height='100' fill='green'/>"
    "</svg>";

}  // namespace

TEST(CompileTool, CompilesAPictureThatCheckFindsNotPlanar) {
    TempFolder folder;
    folder.write("art.svg", kPicture);
    for (const std::string variant : {"", " --polylines"}) {
        const ToolRun compiled =
            run("compile " + (folder / "art.svg").string() + " -o " + (folder / "art.mza").string() + variant,
                folder);
        ASSERT_EQ(compiled.exitCode, 0) << compiled.out << compiled.err;
        EXPECT_NE(compiled.out.find("3 shapes -> 3 pieces"), std::string::npos) << compiled.out;
        EXPECT_NE(compiled.err.find("<text> elements are left out"), std::string::npos) << compiled.err;
        EXPECT_NE(compiled.err.find("cut at its edge"), std::string::npos) << compiled.err;

        const auto loaded = loadFromBytes([&] {
            const std::string s = folder.read("art.mza");
            std::vector<std::byte> bytes(s.size());
            std::transform(s.begin(), s.end(), bytes.begin(),
                           [](char c) { return static_cast<std::byte>(c); });
            return bytes;
        }());
        ASSERT_TRUE(loaded->pattern.loadError.empty());
        EXPECT_EQ(loaded->pattern.polylineFlag, variant.empty() ? 0 : 1);
        EXPECT_NEAR(loaded->pattern.extentHeight, 16000.0 * 2 / 3, 0.5);
        // The half-transparent ellipse, blended against white.
        EXPECT_EQ(loaded->pattern.colourRGB[1], (std::array<BYTE, 3>{145, 153, 170}));
        // The green rectangle reached beyond the picture's left and bottom edges.
        EXPECT_EQ(loaded->pattern.pieces[2].boundsMinX, -8000);
        EXPECT_NEAR(loaded->pattern.pieces[2].boundsMaxY, 5333, 1);

        // Shapes as pieces overlap: the ellipse lies over the background.
        const ToolRun checked = run("check " + (folder / "art.mza").string(), folder);
        EXPECT_EQ(checked.exitCode, 1) << checked.out;
        EXPECT_NE(checked.out.find("lie in two or more pieces"), std::string::npos) << checked.out;
        EXPECT_EQ(checked.out.find("lie in no piece"), std::string::npos) << checked.out;
    }
}

TEST(CompileTool, CheckReportsBrokenRulesAndFails) {
    TempFolder folder;
    PatternFile file = redSquareFile();
    file.pieces[0].labelX = 100;
    const auto bytes = serializePatternFile(file);
    folder.write("bad.mza", std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    const ToolRun r = run("check " + (folder / "bad.mza").string(), folder);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("the label lies outside"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 rule broken"), std::string::npos) << r.out;
}

TEST(CompileTool, RefusesBadArguments) {
    TempFolder folder;
    folder.write("art.svg", kPicture);
    const std::string in = (folder / "art.svg").string(), out = (folder / "art.mza").string();
    EXPECT_EQ(run("compile " + in + " -o " + out + " --colours 0", folder).exitCode, 2);
    EXPECT_EQ(run("compile " + in, folder).exitCode, 2);
    EXPECT_EQ(run("compile " + (folder / "missing.svg").string() + " -o " + out, folder).exitCode, 1);
    folder.write("notsvg.svg", "<html/>");
    const ToolRun r = run("compile " + (folder / "notsvg.svg").string() + " -o " + out, folder);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not an SVG picture"), std::string::npos) << r.err;
    EXPECT_NE(run("compile --help", folder).out.find("Holes:"), std::string::npos);
}
