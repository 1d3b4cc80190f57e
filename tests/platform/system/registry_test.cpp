#include "platform/system/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>

#include <unistd.h>

#include "platform/system/durable_file.h"

#include "tests/support/temp_folder.h"

namespace {

constexpr const WCHAR* kKey = u"Software\\Quillory\\Vellumar";

class SettingsStore : public ::testing::Test {
  protected:
    TempFolder home;
    ScopedConfigHome config{home.path()};

    void writeStore(std::string_view text) { home.write("vellumar/registry.reg", text); }
    std::string storeText() { return home.read("vellumar/registry.reg"); }

    void setNumber(HKEY key, const WCHAR* name, DWORD value) {
        ASSERT_EQ(RegSetValueEx(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
                  ERROR_SUCCESS);
    }
    // Creates the key, sets one number and closes it: a whole save.
    LONG saveNumber(const WCHAR* name, DWORD value) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, 0, &key, nullptr), ERROR_SUCCESS);
        setNumber(key, name, value);
        return RegCloseKey(key);
    }
};

}  // namespace

TEST_F(SettingsStore, WrittenValuesArePersistedAtCloseThroughARename) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, 0, &key, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    setNumber(key, u"Level", 2);
    const WCHAR text[] = u"/games/Tulips.mza";
    ASSERT_EQ(RegSetValueEx(key, u"CurrentPattern", REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
              ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(home / "vellumar/registry.reg"))
        << "nothing is written before close";
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    EXPECT_NE(storeText().find("\"Level\"=dword:00000002"), std::string::npos) << storeText();
    EXPECT_NE(storeText().find("\"CurrentPattern\"=\"/games/Tulips.mza\""), std::string::npos);

    // Only the store itself is left: the temporary file was renamed into place.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home / "vellumar"), {}), 1);
}

TEST_F(SettingsStore, OtherKeysAndValuesSurviveASave) {
    writeStore(
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"Keep\"=dword:00000007\n\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n\"Mine\"=\"x\"\n");
    saveNumber(u"Sound", 0);
    const std::string text = storeText();
    EXPECT_NE(text.find("\"Keep\"=dword:00000007"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Mine\"=\"x\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"Sound\"=dword:00000000"), std::string::npos) << text;
    EXPECT_FALSE(std::filesystem::exists(home / "vellumar/registry.reg.damaged"));
}

TEST_F(SettingsStore, ADamagedStoreIsKeptAsideBeforeItIsReplaced) {
    const std::string damaged = "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n\"Level\"=dword:zz\n";
    writeStore(damaged);
    saveNumber(u"Level", 1);
    EXPECT_EQ(home.read("vellumar/registry.reg.damaged"), damaged);
    EXPECT_NE(storeText().find("\"Level\"=dword:00000001"), std::string::npos);
}

namespace {

ssize_t fullDisk(int, const void*, std::size_t) {
    errno = ENOSPC;
    return -1;
}
int brokenDisk(int) {
    errno = EIO;
    return -1;
}
int flushes = 0;
int countedFlush(int fd) {
    ++flushes;
    return ::fsync(fd);
}

}  // namespace

// Whatever fails, the store as it was stays whole (and its damaged copy when
// one is needed is made first), and a failed save says why in one line.
TEST_F(SettingsStore, ASaveThatFailsLeavesTheStoreAsItWasAndSaysWhy) {
    const std::string good = "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n\"Level\"=dword:00000002\n";
    const std::string damaged =
        "; mine\n[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n\"Level\"=dword:zz\n";
    const struct {
        const char* name;
        const std::string& store;
        std::function<void(TempFolder&)> breakIt;
    } cases[] = {
        {"the folder is gone", good,
         [](TempFolder& home) {
             std::filesystem::rename(home / "vellumar", home / "moved");
             home.write("vellumar", "a file where the folder was");
         }},
        {"the disk is full", good, [](TempFolder&) { platform::durableFileCalls().write = fullDisk; }},
        {"the disk cannot flush", good, [](TempFolder&) { platform::durableFileCalls().fsync = brokenDisk; }},
        {"no copy of a damaged store can be written", damaged,
         [](TempFolder&) { platform::durableFileCalls().write = fullDisk; }},
        {"the copy's place is taken", damaged,
         [](TempFolder& home) { home.write("vellumar/registry.reg.damaged/x", "a folder in the way"); }},
    };
    const platform::DurableFileCalls working = platform::durableFileCalls();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeStore(c.store);
        std::filesystem::remove_all(home / "moved");
        std::filesystem::remove_all(home / "vellumar/registry.reg.damaged");
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, 0, &key, nullptr), ERROR_SUCCESS);
        setNumber(key, u"Level", 0);
        c.breakIt(home);
        testing::internal::CaptureStderr();
        EXPECT_NE(RegCloseKey(key), ERROR_SUCCESS);
        const std::string said = testing::internal::GetCapturedStderr();
        platform::durableFileCalls() = working;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find("not saved"), std::string::npos) << said;
        const bool moved = std::filesystem::exists(home / "moved");
        EXPECT_EQ(home.read(moved ? "moved/registry.reg" : "vellumar/registry.reg"), c.store);
        if (moved) {
            std::filesystem::remove(home / "vellumar");
            std::filesystem::rename(home / "moved", home / "vellumar");
        }
    }
}

// A store that is a link is written through to its target; the temporary
// file and then its folder are flushed.
TEST_F(SettingsStore, ALinkedStoreIsWrittenThroughAndEverySaveIsFlushed) {
    home.write("dotfiles/registry.reg", "[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n; by hand\n");
    std::filesystem::create_directories(home / "vellumar");
    std::filesystem::create_symlink(home / "dotfiles/registry.reg", home / "vellumar/registry.reg");
    const platform::DurableFileCalls working = platform::durableFileCalls();
    platform::durableFileCalls().fsync = countedFlush;
    flushes = 0;
    EXPECT_EQ(saveNumber(u"Level", 2), ERROR_SUCCESS);
    platform::durableFileCalls() = working;
    EXPECT_EQ(flushes, 2);
    EXPECT_TRUE(std::filesystem::is_symlink(home / "vellumar/registry.reg"));
    EXPECT_EQ(home.read("dotfiles/registry.reg"),
              "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n"
              "; by hand\n\"Level\"=dword:00000002\n");
}

TEST(SettingsStoreLocation, FollowsXdgConfigHomeThenHome) {
    TempFolder folder;
    {
        ScopedConfigHome config(folder.path());
        EXPECT_EQ(platform::registryStorePath(), folder / "vellumar/registry.reg");
    }
    ScopedEnvironment home("HOME", "/home/player");
    ScopedEnvironment xdg("XDG_CONFIG_HOME", "relative/path");  // not absolute: ignored, as the XDG rules say
    const std::filesystem::path underHome("/home/player/.config/vellumar/registry.reg");
    EXPECT_EQ(platform::registryStorePath(), underHome);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::registryStorePath(), underHome);
    unsetenv("HOME");
    EXPECT_FALSE(platform::registryStorePath().has_value());
}
