#include "core/settings.h"

#include <gtest/gtest.h>

#include "platform/base/text.h"
#include "platform/headless/headless_backend.h"
#include "platform/system/registry.h"
#include "tests/support/temp_folder.h"

namespace {

std::u16string text(const WCHAR* buffer) {
    return {buffer, platform::boundedLength(buffer, MAX_PATH)};
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

TEST_F(SettingsTest, FirstRunTakesTheDefaultsAndTheDefaultPatternBesideTheProgram) {
    Settings settings;
    EXPECT_EQ(text(settings.programFolder), folder);
    EXPECT_EQ(text(settings.CurrentPattern), folder + u"MonaLisa.mza");
    EXPECT_EQ(text(settings.CurrentPatternShort), u"MonaLisa");
    EXPECT_EQ(settings.ColorScheme, 0u);
    EXPECT_EQ(settings.Level, 1u);
    EXPECT_EQ(settings.PaintingMode, 0u);
    EXPECT_EQ(settings.Sound, 1u);
    EXPECT_EQ(settings.Clock, 1u);
    EXPECT_EQ(settings.clockStarted, 0);
    EXPECT_EQ(settings.paused, 0);
    EXPECT_TRUE(backend.messageBoxes().empty());
}

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

TEST_F(SettingsTest, AStoreHoldingOnlySoundOffYieldsDefaultsButSoundOff) {
    writeStore("\"Sound\"=dword:00000000\n");
    Settings settings;
    EXPECT_EQ(settings.Sound, 0u);
    EXPECT_EQ(settings.Level, 1u);
    EXPECT_EQ(settings.Clock, 1u);
    EXPECT_EQ(text(settings.CurrentPattern), folder + u"MonaLisa.mza");
}

TEST_F(SettingsTest, AStoredPathTooLargeForItsBufferIsNotTaken) {
    writeStore("\"CurrentPattern\"=\"/" + std::string(255, 'p') +
               "\"\n"  // 256 characters: 514 bytes
               "\"CurrentPatternShort\"=\"" +
               std::string(255, 's') +
               "\"\n"  // 255 characters: 512 bytes
               "\"Level\"=dword:00000000\n");
    Settings settings;
    EXPECT_EQ(text(settings.CurrentPattern), folder + u"MonaLisa.mza");
    EXPECT_EQ(text(settings.CurrentPatternShort), std::u16string(255, u's'));
    EXPECT_EQ(settings.Level, 0u);
}

TEST_F(SettingsTest, OutOfRangeOrMistypedValuesFallBackToTheirDefaults) {
    writeStore(
        "\"ColorScheme\"=dword:00000004\n"
        "\"Level\"=\"2\"\n"  // text: its four bytes read as the number 0x32
        "\"PaintingMode\"=dword:ffffffff\n"
        "\"Sound\"=dword:00000007\n"
        "\"Clock\"=dword:00000000\n");
    Settings settings;
    EXPECT_EQ(settings.ColorScheme, 0u);
    EXPECT_EQ(settings.Level, 1u);
    EXPECT_EQ(settings.PaintingMode, 0u);
    EXPECT_EQ(settings.Sound, 1u);
    EXPECT_EQ(settings.Clock, 0u);
}

TEST_F(SettingsTest, ADamagedStoreReadsAsMissingValues) {
    root.write("config/vellumar/registry.reg", std::string("\x00\xFF[HKEY_LOCAL\n\"Level\"=dword:", 29));
    Settings settings;
    EXPECT_EQ(settings.Level, 1u);
    EXPECT_EQ(text(settings.CurrentPattern), folder + u"MonaLisa.mza");
}

TEST_F(SettingsTest, SaveThenLoadRoundTripsEveryStoredChoiceButNotTheGameFlags) {
    {
        Settings settings;
        settings.ColorScheme = 3;
        settings.Level = 2;
        settings.PaintingMode = 1;
        settings.Sound = 0;
        settings.Clock = 0;
        settings.clockStarted = 1;
        settings.paused = 1;
        platform::copyToBuffer(settings.CurrentPattern, MAX_PATH, folder + u"Tulips.mza");
        platform::copyToBuffer(settings.CurrentPatternShort, MAX_PATH, u"Tulips");
        settings.save();
    }
    const std::string stored = root.read("config/vellumar/registry.reg");
    EXPECT_NE(stored.find("\"CurrentPatternShort\"=\"Tulips\"\n"), std::string::npos) << stored;

    Settings settings;
    EXPECT_EQ(settings.ColorScheme, 3u);
    EXPECT_EQ(settings.Level, 2u);
    EXPECT_EQ(settings.PaintingMode, 1u);
    EXPECT_EQ(settings.Sound, 0u);
    EXPECT_EQ(settings.Clock, 0u);
    EXPECT_EQ(settings.clockStarted, 0);
    EXPECT_EQ(settings.paused, 0);
    EXPECT_EQ(text(settings.CurrentPattern), folder + u"Tulips.mza");
    EXPECT_EQ(text(settings.CurrentPatternShort), u"Tulips");
}

TEST_F(SettingsTest, TheShortNameIsStoredWithExactlyItsTerminator) {
    Settings settings;
    settings.save();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSettingsKey, 0, 0, &key), ERROR_SUCCESS);
    BYTE buffer[512];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueEx(key, u"CurrentPatternShort", &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, (8u + 1u) * 2u);
    size = sizeof buffer;
    ASSERT_EQ(RegQueryValueEx(key, u"Level", &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    RegCloseKey(key);
}

TEST_F(SettingsTest, ResetKeepsThePatternAndClearsTheFlags) {
    Settings settings;
    settings.ColorScheme = 2;
    settings.Level = 0;
    settings.PaintingMode = 2;
    settings.Sound = 0;
    settings.Clock = 0;
    settings.clockStarted = 1;
    settings.paused = 1;
    platform::copyToBuffer(settings.CurrentPatternShort, MAX_PATH, u"Tulips");
    settings.resetToDefaults();
    EXPECT_EQ(settings.ColorScheme, 0u);
    EXPECT_EQ(settings.Level, 1u);
    EXPECT_EQ(settings.PaintingMode, 0u);
    EXPECT_EQ(settings.Sound, 1u);
    EXPECT_EQ(settings.Clock, 1u);
    EXPECT_EQ(settings.clockStarted, 0);
    EXPECT_EQ(settings.paused, 0);
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
