// The vellumar-pattern program, run as a user runs it.
#include <gtest/gtest.h>

#include <array>

#include <stb/stb_image.h>

#include "tests/support/pattern_builder.h"
#include "tests/support/run_program.h"

namespace {

ToolRun run(const std::string& arguments, const TempFolder& folder) {
    return runProgram(VELLUMAR_PATTERN_TOOL, arguments, folder);
}

void writeFile(const TempFolder& folder, const std::string& name, const PatternFile& file) {
    writeBytesTo(folder / name, serializePatternFile(file));
}

}  // namespace

TEST(PatternTool, DumpPrintsTheLoadedPatternAsOneJsonObjectWithExactFloats) {
    TempFolder folder;
    writeFile(folder, "square.mza", redSquareFile());
    const ToolRun r = run("dump " + (folder / "square.mza").string(), folder);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
    for (const char* expected :
         {"\"sourceWidth\":100", "\"polylineFlag\":1", "\"rectilinearFlag\":0", "\"scaleX\":1,",
          "\"extentWidth\":16000", "\"minX\":-8000", "\"originY\":-8000", "\"pieceCount\":1",
          "\"piecesLeft\":1", "\"colourCount\":1",
          "\"colours\":[{\"rgb\":[255,0,0],\"ref\":255,\"luma\":76,\"piecesLeft\":1}]",
          "\"contourSizes\":[4],\"bounds\":[-8000,-8000,8000,8000],"
          "\"points\":[[-8000,-8000],[8000,-8000],[8000,8000],[-8000,8000]]"}) {
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\nin " << r.out;
    }
    // Single-precision values are printed so that they read back exactly.
    PatternFile odd = squareFile(true);
    odd.header.sourceWidth = 3;
    odd.header.sourceHeight = 7;
    odd.header.coordinateRange = 1000;
    writeFile(folder, "odd.mza", odd);
    const std::string printed = run("dump " + (folder / "odd.mza").string(), folder).out;
    ASSERT_NE(printed.find("\"scaleX\":"), std::string::npos) << printed;
    EXPECT_EQ(std::strtof(printed.c_str() + printed.find("\"scaleX\":") + 9, nullptr),
              (16000.0f / (7.0f / 3.0f)) / 1000.0f);
}

TEST(PatternTool, AFileThatCannotBeLoadedSaysWhyAndExitsWithOne) {
    TempFolder folder;
    PatternFile damaged = redSquareFile();
    damaged.edges[0].path = 3;
    writeFile(folder, "damaged.mza", damaged);
    for (const char* command : {"dump", "info"}) {
        const ToolRun r = run(std::string(command) + " " + (folder / "damaged.mza").string(), folder);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find("damaged.mza: the file is damaged: edge 0 names a path that does not exist"),
                  std::string::npos)
            << r.err;
    }
    const ToolRun missing = run("dump " + (folder / "missing.mza").string(), folder);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("the file cannot be opened"), std::string::npos);
    EXPECT_EQ(run("frobnicate x", folder).exitCode, 2);
    EXPECT_EQ(run("", folder).exitCode, 2);
}

TEST(PatternTool, RenderDrawsTheBoardAsAPng) {
    TempFolder folder;
    writeFile(folder, "square.mza", redSquareFile());
    const std::string out = (folder / "board.png").string();
    ToolRun r =
        run("render " + (folder / "square.mza").string() + " -o " + out + " --size 200x100 --painted all",
            folder);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(out.c_str(), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 100);
    const auto rgb = [&](int x, int y) {
        const unsigned char* p = pixels + 3 * (y * width + x);
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(rgb(100, 50), (std::array<int, 3>{255, 0, 0})) << "the square, painted";
    EXPECT_EQ(rgb(10, 50), (std::array<int, 3>{128, 128, 128})) << "grey beside the square picture";
    stbi_image_free(pixels);

    // A size of nothing, no output named, a painted state unknown.
    for (const std::string& bad :
         {" -o " + out + " --size 0x10", std::string(" --size 10x10"), " -o " + out + " --painted some"}) {
        EXPECT_EQ(run("render " + (folder / "square.mza").string() + bad, folder).exitCode, 2) << bad;
    }
}
