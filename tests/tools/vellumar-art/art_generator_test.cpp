// The committed bitmaps and icons are exactly what vellumar-art makes now:
// a change to a picture's description must come with its regenerated files
// (tools/vellumar-art/regenerate.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tools/vellumar-art/catalogue.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

}  // namespace

TEST(ArtGenerator, CommittedFilesEqualAFreshGeneration) {
    TempFolder temp;
    const std::string command =
        std::string("\"") + VELLUMAR_ART + "\" generate \"" + temp.path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const fs::path committed = VELLUMAR_RESOURCES_FOLDER;
    for (const char* folder : {"bitmaps", "icons"}) {
        const std::set<std::string> made = namesIn(temp / folder);
        ASSERT_EQ(namesIn(committed / folder), made) << folder;
        EXPECT_EQ(made.size(),
                  std::string(folder) == "bitmaps" ? art::catalogue().size() * art::kScales.size() : 6u);
        for (const std::string& name : made) {
            const std::vector<std::byte> fresh = fileBytes(temp / folder / name);
            EXPECT_FALSE(fresh.empty()) << name;
            EXPECT_TRUE(fresh == fileBytes(committed / folder / name))
                << folder << "/" << name
                << " differs from a fresh generation; run tools/vellumar-art/regenerate.sh";
        }
    }
}

// The contact sheet is a PNG; a command the tool does not know fails.
TEST(ArtGenerator, WritesAContactSheetAndRefusesAnUnknownCommand) {
    TempFolder temp;
    const std::string art = std::string("\"") + VELLUMAR_ART + "\" ";
    ASSERT_EQ(std::system((art + "contact-sheet \"" + (temp / "sheet.png").string() + "\"").c_str()), 0);
    const std::vector<std::byte> png = fileBytes(temp / "sheet.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::vector(png.begin() + 1, png.begin() + 4),
              (std::vector{std::byte{'P'}, std::byte{'N'}, std::byte{'G'}}));
    EXPECT_NE(std::system((art + "paint /tmp/x 2>/dev/null").c_str()), 0);
}
