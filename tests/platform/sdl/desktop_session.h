// A program of ours on an X server of its own (Xvfb), clicked and typed at with
// xdotool and photographed with xwd, as a user would see and drive it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/platform/sdl/child_process.h"
#include "tests/platform/sdl/xwd_image.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

class DesktopSession : public ::testing::Test {
  protected:
    // Starts a 1280 x 1024 display (Xvfb on a display number it picks itself,
    // so tests side by side never share one), or skips the test where Xvfb cannot run.
    void SetUp() override;
    // Ends the X server, as when the X session goes away under its clients.
    void stopDisplay() { server_.reset(); }

    std::unique_ptr<testing_support::ChildProcess> start(const std::vector<std::string>& argv,
                                                         const std::string& output = "") {
        return testing_support::ChildProcess::start(argv, output);
    }
    // Runs a shell command on the display, killed when it outlasts the patience.
    ToolRun run(const std::string& command) { return runProgram("timeout 15", command, folder_); }
    ToolRun xdotool(const std::string& arguments) { return run("xdotool " + arguments); }
    // Finds the visible window of a program; fails the test when there is none.
    void findWindow(const testing_support::ChildProcess& program);
    // The window's client size.
    std::pair<int, int> geometry();
    void clickAt(int x, int y);
    std::optional<testing_support::XwdImage> photograph();
    // Asks until `done` answers true, within the patience.
    static bool eventually(const std::function<bool()>& done);
    // Photographs until `wanted` holds for one, within the patience.
    std::optional<testing_support::XwdImage> photographUntil(
        const std::function<bool(const testing_support::XwdImage&)>& wanted);

    static constexpr auto kPatience = std::chrono::seconds(15);
    TempFolder folder_;
    std::unique_ptr<testing_support::ChildProcess> server_;
    // The display and folders of its own, for the programs the test starts.
    std::vector<std::unique_ptr<ScopedEnvironment>> environment_;
    std::string window_;
};
