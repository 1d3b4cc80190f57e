#include "platform/system/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/drawing/bitmap.h"

#include "platform/base/text.h"
#include "platform/headless/headless_backend.h"
#include "platform/system/registry.h"
#include "tests/support/temp_folder.h"

using platform::matchesPattern;

// The patterns the game searches with: every file, every bitmap, one name.
TEST(FileNamePattern, MatchesWildcardsWithoutRegardToLetterCase) {
    const struct {
        const char16_t *name, *pattern;
        bool matches;
    } cases[] = {{u"MonaLisa.mza", u"monalisa.MZA", true},
                 {u"Tulips.bmp", u"*.bmp", true},
                 {u"a.b.bmp", u"*.bmp", true},
                 {u".bmp", u"*.bmp", true},
                 {u"anything", u"*", true},
                 {u"Tulips.bmpx", u"*.bmp", false},
                 {u"Tulips.bm", u"*.bmp", false},
                 {u"Mona_Lisa.mza", u"MonaLisa.mza", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(matchesPattern(c.name, c.pattern), c.matches) << platform::utf16ToUtf8(c.name);
    }
}

TEST(FindFiles, ReportsNamesAsTheFileSystemHasThemInSortedOrder) {
    TempFolder folder;
    folder.write("zebra.BMP", "z");
    folder.write("Bad\xff\xfe name.bmp", "not UTF-8: left out");
    folder.write("Apple.bmp", "apple");
    folder.write("notes.txt", "");
    folder.write("apple.mza", "");
    const std::u16string pattern = platform::utf8ToUtf16((folder / "*.bmp").string());

    WIN32_FIND_DATA data;
    const HANDLE search = FindFirstFile(pattern.c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::u16string(data.cFileName), u"Apple.bmp");
    EXPECT_EQ(data.nFileSizeLow, 5u);
    ASSERT_TRUE(FindNextFile(search, &data));
    EXPECT_EQ(std::u16string(data.cFileName), u"zebra.BMP");
    EXPECT_FALSE(FindNextFile(search, &data));
    EXPECT_TRUE(FindClose(search));
    // Nothing found, or no folder: the invalid handle.
    for (const char* none : {"*.png", "no/such/*.bmp"}) {
        const std::u16string missing = platform::utf8ToUtf16((folder / none).string());
        EXPECT_EQ(FindFirstFile(missing.c_str(), &data), INVALID_HANDLE_VALUE) << none;
    }
}

// A program path longer than the buffer is cut and stays terminated.
TEST(ProgramFile, ALongPathIsCutAndStaysTerminated) {
    platform::HeadlessBackend backend;
    WCHAR buffer[MAX_PATH];
    backend.setProgramPath(std::u16string(300, u'a'));
    EXPECT_EQ(GetModuleFileName(nullptr, buffer, MAX_PATH), 255u);
    EXPECT_EQ(buffer[255], u'\0');
}

TEST(ReadFile, ReadsAtMostTheLimitAndFailsForAMissingFile) {
    TempFolder folder;
    folder.write("data", "0123456789");
    const std::u16string path = platform::utf8ToUtf16((folder / "data").string());
    for (const auto& [limit, expected] :
         {std::pair<std::size_t, std::string>{100, "0123456789"}, {4, "0123"}}) {
        const auto bytes = platform::readFileBytes(path.c_str(), limit);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()), expected);
    }
    const std::u16string missing = platform::utf8ToUtf16((folder / "missing").string());
    EXPECT_FALSE(platform::readFileBytes(missing.c_str(), 100).has_value());
}

// A FIFO would block open() and read(), a device would read without end, a
// folder reads as an error: every reader treats them as unreadable, at once.
TEST(ReadFile, OnlyRegularFilesAreRead) {
    TempFolder folder;
    folder.write("plain.bmp", "BM");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "folder");
    std::filesystem::create_symlink(folder / "fifo", folder / "link-to-fifo");
    std::filesystem::create_symlink("/dev/zero", folder / "link-to-zero");
    std::filesystem::create_symlink(folder / "folder", folder / "link-to-folder");
    std::filesystem::create_symlink(folder / "plain.bmp", folder / "link-to-plain");
    const struct {
        const char* name;
        bool readable;
    } cases[] = {{"plain.bmp", true},      {"link-to-plain", true}, {"fifo", false},
                 {"folder", false},        {"link-to-fifo", false}, {"link-to-zero", false},
                 {"link-to-folder", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string path = platform::utf8ToUtf16((folder / c.name).string());
        EXPECT_EQ(platform::readFileBytes(path.c_str(), 1 << 20).has_value(), c.readable);
        bool found = false;
        platform::readRegistryStore(folder / c.name, &found);
        EXPECT_EQ(found, c.readable);
        if (!c.readable) {
            EXPECT_EQ(SHLoadDIBitmap(path.c_str()), nullptr);
        }
    }
}
