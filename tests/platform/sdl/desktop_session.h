// A program of ours on an X server of its own (Xvfb), clicked and typed at with
// xdotool and photographed with xwd, as a user would see and drive it.
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

// A program the test started. Still running when its object goes, it is
// asked to end, then made to, so a failing test leaves nothing behind.
class ChildProcess {
  public:
    // Runs `argv` (found on PATH) in our environment, its standard output into
    // the file `output` when one is named; nullptr when it cannot even be started.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string>& argv,
                                               const std::string& output = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Its exit code (128 + the signal when a signal ended it); nothing when it
    // has not ended in time.
    std::optional<int> waitForExit(std::chrono::milliseconds within);
    void signal(int number);

  private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}

    pid_t pid_;
    std::optional<int> exitCode_;
};

// A window's picture as xwd writes it: 32 bits a pixel in 0xRRGGBB.
struct XwdImage {
    // nullopt (and why) for anything else.
    static std::optional<XwdImage> parse(std::string_view bytes, std::string* why);
    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class DesktopSession : public ::testing::Test {
  protected:
    // Starts a 1280 x 1024 display (Xvfb on a display number it picks itself,
    // so tests side by side never share one), or skips the test where Xvfb cannot run.
    void SetUp() override;
    // Ends the X server, as when the X session goes away under its clients.
    void stopDisplay() { server_.reset(); }

    // Runs a shell command on the display, killed when it outlasts the patience.
    ToolRun run(const std::string& command) { return runProgram("timeout 15", command, folder_); }
    ToolRun xdotool(const std::string& arguments) { return run("xdotool " + arguments); }
    // Finds the visible window of a program; fails the test when there is none.
    void findWindow(const ChildProcess& program);
    // The window's client size.
    std::pair<int, int> geometry();
    void clickAt(int x, int y);
    std::optional<XwdImage> photograph();
    // Asks until `done` answers true, within the patience.
    static bool eventually(const std::function<bool()>& done);
    // Photographs until `wanted` holds for one, within the patience.
    std::optional<XwdImage> photographUntil(const std::function<bool(const XwdImage&)>& wanted);

    static constexpr auto kPatience = std::chrono::seconds(15);
    TempFolder folder_;
    std::unique_ptr<ChildProcess> server_;
    // The display and folders of its own, for the programs the test starts.
    std::vector<std::unique_ptr<ScopedEnvironment>> environment_;
    std::string window_;
};
