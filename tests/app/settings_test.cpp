#include "core/settings.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/base/text.h"
#include "platform/headless/headless_backend.h"
#include "platform/system/registry.h"
#include "tests/support/temp_folder.h"

namespace {

std::u16string text(const WCHAR* buffer) {
    return {buffer, platform::boundedLength(buffer, MAX_PATH)};
}

// ColorScheme, Level, PaintingMode, Sound, Clock, clockStarted, paused.
using Choices = std::array<std::uint32_t, 7>;
constexpr Choices kDefaults{0, 1, 0, 1, 1, 0, 0};
Choices choices(const Settings& s) {
    return {s.ColorScheme,
            s.Level,
            s.PaintingMode,
            s.Sound,
            s.Clock,
            static_cast<std::uint32_t>(s.clockStarted),
            static_cast<std::uint32_t>(s.paused)};
}
void setChoices(Settings& s, const Choices& c) {
    std::tie(s.ColorScheme, s.Level, s.PaintingMode, s.Sound, s.Clock) =
        std::tie(c[0], c[1], c[2], c[3], c[4]);
    s.clockStarted = static_cast<int>(c[5]);
    s.paused = static_cast<int>(c[6]);
}

// A program installed in <temp>/Games/vellumar with its default pattern
// beside it, and a settings store of its own.
class SettingsTest : public ::testing::Test {
  protected:
    TempFolder root;
    ScopedConfigHome config{root / "config"};
    platform::HeadlessBackend backend;
    std::u16string folder = platform::utf8ToUtf16((root / "Games").string()) + u"/";

    SettingsTest() {
        root.write("Games/MonaLisa.mza", "");
        backend.setProgramPath(folder + u"vellumar");
    }
    void writeStore(const std::string& values) {
        root.write("config/vellumar/registry.reg",
                   "Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n" +
                       values);
    }
};

}  // namespace

TEST_F(SettingsTest, PatternsBesideTheProgramComeFirstThenThePrefixsShareFolder) {
    const std::u16string shared = platform::utf8ToUtf16((root / "share/vellumar").string()) + u"/";
    root.write("share/vellumar/MonaLisa.mza", "");
    for (const bool beside : {true, false}) {
        if (!beside) {
            std::filesystem::remove(root / "Games/MonaLisa.mza");
        }
        Settings settings;
        const std::u16string folder = beside ? this->folder : shared;
        EXPECT_EQ(text(settings.programFolder), folder);
        EXPECT_EQ(text(settings.CurrentPattern), folder + u"MonaLisa.mza");
    }
}

TEST_F(SettingsTest, TheDefaultPatternTakesTheLetterCaseOfTheFileSystem) {
    std::filesystem::rename(root / "Games/MonaLisa.mza", root / "Games/monalisa.MZA");
    Settings settings;
    EXPECT_EQ(text(settings.CurrentPattern), folder + u"monalisa.MZA");
    EXPECT_EQ(text(settings.CurrentPatternShort), u"monalisa");
}

TEST_F(SettingsTest, StoredValuesOutOfRangeMistypedTooLargeOrDamagedFallBackToTheirDefaults) {
    const struct {
        std::string store;
        Choices expected;
        std::u16string shortName;  // empty: the default pattern's
    } cases[] = {
        {"\"Sound\"=dword:00000000\n", {0, 1, 0, 0, 1, 0, 0}, u""},
        // "2" as text: its four bytes read as the number 0x32.
        {"\"ColorScheme\"=dword:00000004\n\"Level\"=\"2\"\n\"PaintingMode\"=dword:ffffffff\n"
         "\"Sound\"=dword:00000007\n\"Clock\"=dword:00000000\n",
         {0, 1, 0, 1, 0, 0, 0},
         u""},
        // 256 characters (514 bytes) do not fit the path; 255 (512 bytes) fit the short name.
        {"\"CurrentPattern\"=\"/" + std::string(255, 'p') + "\"\n\"CurrentPatternShort\"=\"" +
             std::string(255, 's') + "\"\n\"Level\"=dword:00000000\n",
         {0, 0, 0, 1, 1, 0, 0},
         std::u16string(255, u's')},
        {std::string("\x00\xFF[HKEY_LOCAL\n\"Level\"=dword:", 29), kDefaults, u""},
    };
    for (const auto& c : cases) {
        if (c.store[0] == '\0') {  // a damaged file, not a store's values
            root.write("config/vellumar/registry.reg", c.store);
        } else {
            writeStore(c.store);
        }
        Settings settings;
        EXPECT_EQ(choices(settings), c.expected) << c.store;
        EXPECT_EQ(text(settings.CurrentPattern), folder + u"MonaLisa.mza") << c.store;
        EXPECT_EQ(text(settings.CurrentPatternShort), c.shortName.empty() ? u"MonaLisa" : c.shortName);
    }
}

TEST_F(SettingsTest, SaveThenLoadRoundTripsEveryStoredChoiceButNotTheGameFlags) {
    {
        Settings settings;
        setChoices(settings, {3, 2, 1, 0, 0, 1, 1});
        platform::copyToBuffer(settings.CurrentPattern, MAX_PATH, folder + u"Tulips.mza");
        platform::copyToBuffer(settings.CurrentPatternShort, MAX_PATH, u"Tulips");
        settings.save();
    }
    const std::string stored = root.read("config/vellumar/registry.reg");
    EXPECT_NE(stored.find("\"CurrentPatternShort\"=\"Tulips\"\n"), std::string::npos) << stored;
    Settings settings;
    EXPECT_EQ(choices(settings), (Choices{3, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(text(settings.CurrentPattern), folder + u"Tulips.mza");
    EXPECT_EQ(text(settings.CurrentPatternShort), u"Tulips");
}

TEST_F(SettingsTest, TheShortNameIsStoredWithExactlyItsTerminator) {
    Settings settings;
    settings.save();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSettingsKey, 0, 0, &key), ERROR_SUCCESS);
    BYTE buffer[512];
    for (const auto& [name, type, size] :
         {std::tuple{u"CurrentPatternShort", REG_SZ, (8u + 1u) * 2u}, std::tuple{u"Level", REG_DWORD, 4u}}) {
        DWORD storedType = 0, storedSize = sizeof buffer;
        ASSERT_EQ(RegQueryValueEx(key, name, &storedType, buffer, &storedSize), ERROR_SUCCESS);
        EXPECT_EQ(storedType, static_cast<DWORD>(type));
        EXPECT_EQ(storedSize, size);
    }
    RegCloseKey(key);
}

TEST_F(SettingsTest, ResetKeepsThePatternAndClearsTheFlags) {
    Settings settings;
    setChoices(settings, {2, 0, 2, 0, 0, 1, 1});
    platform::copyToBuffer(settings.CurrentPatternShort, MAX_PATH, u"Tulips");
    settings.resetToDefaults();
    EXPECT_EQ(choices(settings), kDefaults);
    EXPECT_EQ(text(settings.CurrentPatternShort), u"Tulips");
    EXPECT_FALSE(std::filesystem::exists(root / "config/vellumar/registry.reg")) << "reset writes nothing";
}

TEST_F(SettingsTest, AMissingDefaultPatternEndsTheProgramWithAWarning) {
    writeStore("\"CurrentPattern\"=\"/somewhere/Tulips.mza\"\n");  // not consulted
    std::filesystem::remove(root / "Games/MonaLisa.mza");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({ Settings settings; }, ::testing::ExitedWithCode(0),
                "Warning: No Patterns found\\.\\.can not continue");
}
