#include "platform/sdl/single_instance.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

// Every test gets its own runtime folder and lock name, so that nothing on the
// machine (a running game, another test) can hold the lock it takes.
class SingleInstance : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* previous = std::getenv("XDG_RUNTIME_DIR");
        hadPrevious_ = previous != nullptr;
        previous_ = previous ? previous : "";
        ::setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1);
        static std::atomic<int> counter{0};
        name_ = "vellumar-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    }
    void TearDown() override {
        releaseSingleInstance(name_);
        if (hadPrevious_) {
            ::setenv("XDG_RUNTIME_DIR", previous_.c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }

    std::filesystem::path lockFile() const { return folder_ / (name_ + ".lock"); }
    std::filesystem::path socketFile() const { return folder_ / (name_ + ".sock"); }

    // Runs `body` in a child process and answers its pid.
    template <class Body>
    pid_t inChild(Body body) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::_exit(body());
        }
        return pid;
    }

    // The child's exit code, or -1 if it has not ended within the time.
    static int exitCodeOf(pid_t pid, std::chrono::milliseconds within = std::chrono::seconds(10)) {
        const auto giveUp = std::chrono::steady_clock::now() + within;
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > giveUp) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TempFolder folder_;
    std::string name_;

  private:
    std::string previous_;
    bool hadPrevious_ = false;
};

TEST_F(SingleInstance, TheFolderIsTheRuntimeFolder) {
    EXPECT_EQ(singleInstanceFolder(), folder_.path().string());
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(singleInstanceFolder(), "/tmp/vellumar-" + std::to_string(::getuid()));
}

TEST_F(SingleInstance, TheSecondClaimIsRefusedUntilTheFirstIsReleased) {
    EXPECT_TRUE(claimSingleInstance(name_));
    EXPECT_TRUE(std::filesystem::exists(lockFile()));
    EXPECT_FALSE(claimSingleInstance(name_));
    releaseSingleInstance(name_);
    EXPECT_TRUE(claimSingleInstance(name_));
}

TEST_F(SingleInstance, ClaimsOfOtherNamesAreIndependent) {
    EXPECT_TRUE(claimSingleInstance(name_));
    const std::string other = name_ + "-other";
    EXPECT_TRUE(claimSingleInstance(other));
    releaseSingleInstance(other);
}

TEST_F(SingleInstance, TheLockFileNamesItsHolder) {
    ASSERT_TRUE(claimSingleInstance(name_));
    EXPECT_EQ(folder_.read(name_ + ".lock"), std::to_string(::getpid()) + "\n");
}

TEST_F(SingleInstance, ALaterStartCanAskTheFirstToShowItself) {
    ASSERT_TRUE(claimSingleInstance(name_));
    EXPECT_FALSE(takeShowRequest());
    EXPECT_TRUE(askFirstInstanceToShow(name_));
    EXPECT_TRUE(askFirstInstanceToShow(name_));
    // Two requests waiting are one reason to come forward.
    EXPECT_TRUE(takeShowRequest());
    EXPECT_FALSE(takeShowRequest());
}

TEST_F(SingleInstance, NoOneToAskWhenNoCopyRuns) {
    EXPECT_FALSE(askFirstInstanceToShow(name_));
    ASSERT_TRUE(claimSingleInstance(name_));
    releaseSingleInstance(name_);
    EXPECT_FALSE(std::filesystem::exists(socketFile()));
    EXPECT_FALSE(askFirstInstanceToShow(name_));
}

TEST_F(SingleInstance, AStaleLockFileOfADeadProcessIsTakenOver) {
    // A pid that surely names no process any more: a child that has ended and been reaped.
    const pid_t dead = inChild([] { return 0; });
    ASSERT_EQ(exitCodeOf(dead), 0);
    folder_.write(name_ + ".lock", std::to_string(dead) + "\n");
    folder_.write(name_ + ".sock", "");  // and a socket file that is no socket any more

    EXPECT_TRUE(claimSingleInstance(name_));
    EXPECT_EQ(folder_.read(name_ + ".lock"), std::to_string(::getpid()) + "\n");
    EXPECT_TRUE(askFirstInstanceToShow(name_));
    EXPECT_TRUE(takeShowRequest());
}

TEST_F(SingleInstance, ACopyThatCrashedDoesNotBlockTheNextStart) {
    // The child claims and ends without letting go, as a crash would.
    const pid_t crashed = inChild([this] { return claimSingleInstance(name_) ? 0 : 1; });
    ASSERT_EQ(exitCodeOf(crashed), 0);
    ASSERT_TRUE(std::filesystem::exists(lockFile()));
    EXPECT_TRUE(claimSingleInstance(name_));
}

TEST_F(SingleInstance, ACopyInAnotherProcessHoldsTheLockAndHearsTheRequest) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t first = inChild([this, &ready] {
        ::close(ready[0]);
        if (!claimSingleInstance(name_)) {
            return 2;
        }
        const char byte = 1;
        if (::write(ready[1], &byte, 1) != 1) {
            return 3;
        }
        // Wait (boundedly) for the later start's request, as the backend's loop does.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < giveUp) {
            if (takeShowRequest()) {
                return 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return 4;
    });
    ::close(ready[1]);
    pollfd wait{ready[0], POLLIN, 0};
    ASSERT_EQ(::poll(&wait, 1, 10000), 1) << "the first copy did not claim in time";
    ::close(ready[0]);

    EXPECT_FALSE(claimSingleInstance(name_));
    EXPECT_TRUE(askFirstInstanceToShow(name_));
    EXPECT_EQ(exitCodeOf(first), 0) << "the first copy did not hear the request";
    // Gone, it holds nothing.
    EXPECT_TRUE(claimSingleInstance(name_));
}

}  // namespace
}  // namespace platform
