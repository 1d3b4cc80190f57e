// The bundled pattern library in resources/patterns: what the game finds
// beside itself and offers in its chooser.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/bmp_encoder.h"
#include "platform/gdi_objects.h"
#include "render/thumbnail.h"
#include "tests/support/temp_folder.h"
#include "tools/vellumar-pattern/bmp_writer.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/playability.h"

namespace fs = std::filesystem;

namespace {

const fs::path kLibrary = VELLUMAR_PATTERN_LIBRARY;

std::vector<std::byte> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::byte> bytes(text.size());
    std::transform(text.begin(), text.end(), bytes.begin(), [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

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

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    const auto last = s.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : s.substr(first, last - first + 1);
}

// NAME -> SOURCE from the manifest's lines "NAME | SOURCE | OPTIONS".
std::map<std::string, std::string> manifest() {
    std::map<std::string, std::string> entries;
    std::ifstream in(kLibrary / "manifest.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (trim(line).empty() || trim(line)[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string name, source;
        std::getline(fields, name, '|');
        std::getline(fields, source, '|');
        entries[trim(name)] = trim(source);
    }
    return entries;
}

std::unique_ptr<LoadedPattern> load(const std::string& name) {
    return loadForCommand((kLibrary / (name + ".mza")).string());
}

}  // namespace

TEST(Library, HoldsTheDefaultPatternAndAtLeastTwelveOthers) {
    const std::set<std::string> patterns = namesWith(".mza");
    EXPECT_TRUE(patterns.contains("MonaLisa"));
    EXPECT_GE(patterns.size(), 13u);
}

TEST(Library, EveryPatternHasAThumbnailAndEveryThumbnailAPattern) {
    const std::set<std::string> patterns = namesWith(".mza");
    const std::set<std::string> thumbnails = namesWith(".bmp");
    for (const std::string& name : patterns) {
        EXPECT_TRUE(thumbnails.contains(name)) << name << ".mza has no " << name << ".bmp";
    }
    for (const std::string& name : thumbnails) {
        EXPECT_TRUE(patterns.contains(name)) << name << ".bmp has no " << name << ".mza";
    }
}

// The chooser keeps names in a 64-character buffer with its terminator.
TEST(Library, NamesFitTheChoosersList) {
    for (const std::string& name : namesWith(".mza")) {
        EXPECT_LT(name.size(), 64u) << name;
        EXPECT_FALSE(name.empty());
    }
}

// What regenerate.sh makes is what is committed: no pattern left over from an
// old manifest, none missing, and every source a public-domain drawing or our own.
TEST(Library, TheManifestListsExactlyTheBundledPatterns) {
    const auto entries = manifest();
    std::set<std::string> listed;
    for (const auto& [name, source] : entries) {
        listed.insert(name);
        EXPECT_TRUE(source.starts_with("/usr/share/openclipart/") ||
                    source.starts_with("resources/patterns/sources/"))
            << name << ": " << source;
        if (source.starts_with("resources/")) {
            EXPECT_TRUE(fs::exists(kLibrary.parent_path().parent_path() / source)) << source;
        }
    }
    EXPECT_EQ(listed, namesWith(".mza"));
}

TEST(Library, EveryPatternLoadsAndIsPlayable) {
    for (const std::string& name : namesWith(".mza")) {
        SCOPED_TRACE(name);
        const auto loaded = load(name);
        ASSERT_NE(loaded, nullptr);
        Pattern& p = loaded->pattern;
        EXPECT_GE(p.pieceTotal, 40);
        EXPECT_LE(p.pieceTotal, 600);
        EXPECT_LE(p.colourCount, kPaletteButtons);
        EXPECT_GE(p.colourCount, 2);
        for (const std::string& failure : playabilityFailures(p)) {
            ADD_FAILURE() << failure;
        }
    }
}

TEST(Library, TheDefaultPatternIsAFullPortrait) {
    const auto loaded = load("MonaLisa");
    ASSERT_NE(loaded, nullptr);
    const Pattern& p = loaded->pattern;
    EXPECT_GE(p.pieceTotal, 150);
    EXPECT_LE(p.pieceTotal, 400);
    EXPECT_GE(p.colourCount, 16);
    EXPECT_LE(p.colourCount, 28);
    EXPECT_LT(p.extentWidth, p.extentHeight);  // portrait
}

// 24-bit files of the size the chooser's frame shows without shrinking, that
// the game's own decoder loads.
TEST(Library, ThumbnailsAre24BitBitmapsOfTheChoosersSize) {
    for (const std::string& name : namesWith(".bmp")) {
        SCOPED_TRACE(name);
        const std::vector<std::byte> bmp = readBytes(kLibrary / (name + ".bmp"));
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(static_cast<unsigned>(bmp[28]) | static_cast<unsigned>(bmp[29]) << 8, 24u);
        const HBITMAP bitmap = platform::loadBitmap(bmp);
        ASSERT_NE(bitmap, nullptr);
        const platform::Surface& s = platform::bitmapSurface(bitmap);
        EXPECT_LE(s.width(), kThumbnailBoxWidth);
        EXPECT_LE(s.height(), kThumbnailBoxHeight);
        EXPECT_TRUE(s.width() == kThumbnailBoxWidth || s.height() == kThumbnailBoxHeight)
            << s.width() << " x " << s.height();
        const auto loaded = load(name);
        ASSERT_NE(loaded, nullptr);
        const ThumbnailSize expected =
            thumbnailSize(loaded->pattern, kThumbnailBoxWidth, kThumbnailBoxHeight);
        EXPECT_EQ(s.width(), expected.width);
        EXPECT_EQ(s.height(), expected.height);
        DeleteObject(bitmap);
    }
}

// The committed thumbnails never drift from their patterns: drawing each
// again gives the same bytes.
TEST(Library, ThumbnailsAreWhatTheToolDrawsFromThePatterns) {
    for (const std::string& name : namesWith(".mza")) {
        SCOPED_TRACE(name);
        const auto loaded = load(name);
        ASSERT_NE(loaded, nullptr);
        const ThumbnailSize size = thumbnailSize(loaded->pattern, kThumbnailBoxWidth, kThumbnailBoxHeight);
        const std::vector<std::byte> drawn =
            platform::encodeBmp24(renderThumbnail(loaded->pattern, size.width, size.height));
        EXPECT_TRUE(drawn == readBytes(kLibrary / (name + ".bmp"))) << "run resources/patterns/regenerate.sh";
    }
}

// The command, with its defaults, writes the same file.
TEST(Library, TheThumbnailCommandWritesTheCommittedThumbnail) {
    const TempFolder folder;
    const std::string out = (folder / "MonaLisa.bmp").string();
    const std::string command = std::string(VELLUMAR_PATTERN_TOOL) + " thumbnail '" +
                                (kLibrary / "MonaLisa.mza").string() + "' -o '" + out + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(readBytes(out) == readBytes(kLibrary / "MonaLisa.bmp"));
}
