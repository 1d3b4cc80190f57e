#include "platform/sdl/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

// Every test gets its own runtime folder and lock name, so that nothing on the
// machine (a running game, another test) can hold the lock it takes.
class SingleInstance : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::permissions(folder_.path(), std::filesystem::perms::owner_all);
        static std::atomic<int> counter{0};
        name_ = "vellumar-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    }
    void TearDown() override { releaseSingleInstance(name_); }

    std::filesystem::path lockFile() const { return folder_ / (name_ + ".lock"); }

    // Runs `body` in a child process and answers its pid.
    template <class Body>
    pid_t inChild(Body body) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::_exit(body());
        }
        return pid;
    }

    // The child's exit code (the bodies only claim and release: they end at once).
    static int exitCodeOf(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TempFolder folder_;
    ScopedEnvironment runtime_{"XDG_RUNTIME_DIR", folder_.path().string()};
    ScopedEnvironment cache_{"XDG_CACHE_HOME", (folder_ / "cache").string()};
    ScopedEnvironment temporary_{"TMPDIR", (folder_ / "tmp").string()};
    std::string name_;
};

// When the runtime folder cannot hold the guard, a private folder under the
// cache folder does, else one in the temporary folder; when none can, the
// game says so and runs.
TEST_F(SingleInstance, TheGuardFallsBackToAPrivateFolderOrSaysItHasNone) {
    const std::string runtime = folder_.path().string();
    const std::string cache = (folder_ / "cache/vellumar-run").string();
    const std::string temporary = (folder_ / "tmp/vellumar-").string() + std::to_string(::getuid());
    EXPECT_EQ(singleInstanceFolders(), (std::vector<std::string>{runtime, cache, temporary}));
    std::filesystem::create_directories(folder_ / "tmp");
    folder_.write("not-a-folder", "");
    const struct {
        const char* name;
        std::function<void()> breakIt;
        std::string expected;  // the folder that holds the lock; empty for none
    } cases[] = {
        {"the runtime folder", [] {}, runtime},
        {"the runtime folder is open to others",
         [&] { std::filesystem::permissions(folder_.path(), std::filesystem::perms::all); }, cache},
        {"the runtime folder is a file",
         [&] { ::setenv("XDG_RUNTIME_DIR", (folder_ / "not-a-folder").c_str(), 1); }, cache},
        {"and so is the cache", [&] { ::setenv("XDG_CACHE_HOME", (folder_ / "not-a-folder").c_str(), 1); },
         temporary},
        {"and so is the temporary folder", [&] { ::setenv("TMPDIR", (folder_ / "not-a-folder").c_str(), 1); },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.breakIt();
        testing::internal::CaptureStderr();
        EXPECT_TRUE(claimSingleInstance(name_));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find("running without it") != std::string::npos, c.expected.empty()) << said;
        if (!c.expected.empty()) {
            EXPECT_TRUE(std::filesystem::exists(c.expected + "/" + name_ + ".lock"));
            EXPECT_EQ(std::filesystem::status(c.expected).permissions() & std::filesystem::perms::all,
                      std::filesystem::perms::owner_all);
            EXPECT_EQ(exitCodeOf(inChild([this] { return claimSingleInstance(name_) ? 1 : 0; })), 0);
            EXPECT_TRUE(askFirstInstanceToShow(name_));
            EXPECT_TRUE(takeShowRequest());
        }
        releaseSingleInstance(name_);
    }
}

// Neither a copy that crashed holding the lock nor a stale lock file of a
// dead process (with a socket file that is no socket any more) blocks the next start.
TEST_F(SingleInstance, ACopyThatCrashedOrAStaleLockFileDoesNotBlockTheNextStart) {
    const pid_t crashed = inChild([this] { return claimSingleInstance(name_) ? 0 : 1; });
    ASSERT_EQ(exitCodeOf(crashed), 0);
    ASSERT_TRUE(std::filesystem::exists(lockFile()));
    EXPECT_TRUE(claimSingleInstance(name_));
    releaseSingleInstance(name_);
    // A pid that surely names no process any more: the child, ended and reaped.
    folder_.write(name_ + ".lock", std::to_string(crashed) + "\n");
    folder_.write(name_ + ".sock", "");
    EXPECT_TRUE(claimSingleInstance(name_));
    EXPECT_EQ(folder_.read(name_ + ".lock"), std::to_string(::getpid()) + "\n");
    EXPECT_TRUE(askFirstInstanceToShow(name_));
    EXPECT_TRUE(takeShowRequest());
}

}  // namespace
}  // namespace platform
