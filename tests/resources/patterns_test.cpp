// The bundled pattern library in resources/patterns: what the game finds
// beside itself and offers in its chooser.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/playability.h"

namespace fs = std::filesystem;

namespace {

const fs::path kLibrary = VELLUMAR_PATTERN_LIBRARY;

// Names (file names without the extension) of the library's files with the
// extension, exactly as the file system has them.
std::set<std::string> namesWith(const std::string& extension) {
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(kLibrary)) {
        if (e.is_regular_file() && e.path().extension() == extension) {
            names.insert(e.path().stem().string());
        }
    }
    return names;
}

std::unique_ptr<LoadedPattern> load(const std::string& name) {
    return loadForCommand((kLibrary / (name + ".mza")).string());
}

}  // namespace

// Every pattern has a thumbnail and every thumbnail a pattern; the chooser
// keeps names in a 64-character buffer with its terminator.
TEST(Library, HoldsTheDefaultPatternAndAtLeastTwelveOthersEachWithAThumbnail) {
    const std::set<std::string> patterns = namesWith(".mza");
    EXPECT_TRUE(patterns.contains("MonaLisa"));
    EXPECT_GE(patterns.size(), 13u);
    EXPECT_EQ(namesWith(".bmp"), patterns);
    for (const std::string& name : patterns) {
        EXPECT_LT(name.size(), 64u) << name;
    }
}

// Every rule `check` applies: playable on the smallest screen, and planar
// (no outline of a hidden part, no gap).
TEST(Library, EveryPatternLoadsAndPassesCheck) {
    for (const std::string& name : namesWith(".mza")) {
        SCOPED_TRACE(name);
        const auto loaded = load(name);
        ASSERT_NE(loaded, nullptr);
        Pattern& p = loaded->pattern;
        EXPECT_GE(p.pieceTotal, 40);
        EXPECT_LE(p.pieceTotal, 600);
        EXPECT_GE(p.colourCount, 2);
        for (const std::string& failure : checkFailures(p)) {
            ADD_FAILURE() << failure;
        }
    }
}

// The committed thumbnails never drift from their patterns: the tool's
// thumbnail command, with its defaults (the size that fits the chooser's
// frame), writes each again byte for byte (24-bit files the game's decoder
// reads: see the encoder's tests).
TEST(Library, ThumbnailsAreWhatTheToolDrawsFromThePatterns) {
    const TempFolder folder;
    for (const std::string& name : namesWith(".mza")) {
        const ToolRun r = runProgram(VELLUMAR_PATTERN_TOOL,
                                     "thumbnail '" + (kLibrary / (name + ".mza")).string() + "' -o '" +
                                         (folder / "out.bmp").string() + "'",
                                     folder);
        ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err;
        EXPECT_TRUE(fileBytes(folder / "out.bmp") == fileBytes(kLibrary / (name + ".bmp")))
            << name << ": run resources/patterns/regenerate.sh";
    }
}
