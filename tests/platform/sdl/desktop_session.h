// A program of ours on an X server of its own (Xvfb), clicked and typed at with
// xdotool and photographed with xwd, as a user would see and drive it.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

// A program the test started. Still running when its object goes, it is
// asked to end (so that a server can remove its socket), then made to, so a
// failing test leaves nothing behind.
class ChildProcess {
  public:
    // Runs `argv` (found on PATH) in our environment, its standard output into
    // the file `output` when one is named; nullptr when it cannot even be started.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string>& argv,
                                               const std::string& output = "") {
        const pid_t pid = argv.empty() ? -1 : ::fork();
        if (pid < 0) {
            return nullptr;
        }
        if (pid == 0) {
            if (!output.empty()) {
                ::dup2(::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
            }
            std::vector<char*> args;
            for (const std::string& arg : argv) {
                args.push_back(const_cast<char*>(arg.c_str()));
            }
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        return std::unique_ptr<ChildProcess>(new ChildProcess(pid));
    }
    ~ChildProcess() {
        if (!exitCode_) {
            ::kill(pid_, SIGTERM);
            if (!waitForExit(std::chrono::seconds(3))) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, nullptr, 0);
            }
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Its exit code (128 + the signal when a signal ended it); nothing when it
    // has not ended in time.
    std::optional<int> waitForExit(std::chrono::milliseconds within) {
        const auto giveUp = std::chrono::steady_clock::now() + within;
        while (!exitCode_) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            } else if (std::chrono::steady_clock::now() >= giveUp) {
                return std::nullopt;
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        return exitCode_;
    }
    void signal(int number) {
        if (!exitCode_) {
            ::kill(pid_, number);
        }
    }

  private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}

    pid_t pid_;
    std::optional<int> exitCode_;
};

// A window's picture as xwd writes it: 32 bits a pixel in 0xRRGGBB.
struct XwdImage {
    // The header is 25 big-endian 32-bit fields, then the window's name and
    // the colour map (12 bytes an entry). Xvfb's 24-bit visual is direct
    // colour with the identity colour map and 0xRRGGBB masks, the only layout
    // taken here: nullopt (and why) for anything else.
    static std::optional<XwdImage> parse(std::string_view bytes, std::string* why) {
        const auto bigEndian = [&](std::size_t at) {
            std::uint32_t value = 0;
            for (std::size_t i = 0; i < 4; ++i) {
                value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
            }
            return value;
        };
        constexpr std::size_t kFields = 25;
        std::uint32_t field[kFields] = {};
        for (std::size_t i = 0; i < kFields && bytes.size() >= kFields * 4; ++i) {
            field[i] = bigEndian(i * 4);
        }
        // Version 7, Z pixmap, 32 bits a pixel, true or direct colour, red, green and blue masks.
        if (field[1] != 7 || field[2] != 2 || field[11] != 32 || (field[13] != 4 && field[13] != 5) ||
            field[14] != 0xFF0000 || field[15] != 0xFF00 || field[16] != 0xFF) {
            *why = "not a 32-bit 0xRRGGBB dump";
            return std::nullopt;
        }
        XwdImage image{static_cast<int>(field[4]), static_cast<int>(field[5]), {}};
        const std::size_t start = field[0] + std::size_t{field[19]} * 12;
        const std::size_t stride = field[12];
        if (stride < std::size_t{field[4]} * 4 || start + stride * field[5] > bytes.size()) {
            *why = "its pixels run past its end";
            return std::nullopt;
        }
        for (std::size_t y = 0; y < field[5]; ++y) {
            for (std::size_t x = 0; x < field[4]; ++x) {
                const std::uint32_t pixel = bigEndian(start + y * stride + x * 4);
                image.pixels.push_back((field[7] == 1 ? pixel : __builtin_bswap32(pixel)) & 0xFFFFFF);
            }
        }
        return image;
    }
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
    void SetUp() override {
        // -displayfd 1: Xvfb prints the number of the display it took once it is ready.
        server_ = ChildProcess::start(
            {"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
            (folder_ / "display").string());
        std::string number;
        eventually([&] {
            number = folder_.read("display");
            return !server_ || number.ends_with('\n') ||
                   server_->waitForExit(std::chrono::milliseconds(0)).has_value();
        });
        if (!number.ends_with('\n') || number.size() < 2) {
            const int code = server_ ? server_->waitForExit(std::chrono::milliseconds(100)).value_or(-1) : -1;
            GTEST_SKIP() << "Xvfb cannot start here ("
                         << (code == 127 ? "not installed" : "exit code " + std::to_string(code))
                         << "); the program needs an X display";
        }
        number.pop_back();
        // Under LeakSanitizer a program's leaks at exit are reported but leave its
        // exit code alone: SDL has unloaded the X11 libraries by then, so the
        // suppressions can no longer name them. The test's own process keeps the full check.
        const char* leakOptions = std::getenv("LSAN_OPTIONS");
        // Its own folders: no other copy's lock or settings, on this machine or in another test.
        const std::pair<const char*, std::string> environment[] = {
            {"DISPLAY", ":" + number},
            {"SDL_VIDEODRIVER", "x11"},
            {"SDL_AUDIODRIVER", "dummy"},  // SDL's silent device keeps time like a sound card
            {"XDG_RUNTIME_DIR", (folder_ / "runtime").string()},
            {"XDG_CONFIG_HOME", (folder_ / "config").string()},
            {"XDG_DATA_HOME", (folder_ / "data").string()},
            {"LSAN_OPTIONS", std::string(leakOptions != nullptr ? leakOptions : "") + ":exitcode=0"}};
        for (const auto& [name, value] : environment) {
            environment_.push_back(std::make_unique<ScopedEnvironment>(name, value));
        }
        std::filesystem::create_directories(folder_ / "runtime");
    }
    // Ends the X server, as when the X session goes away under its clients.
    void stopDisplay() { server_.reset(); }

    // Runs a shell command on the display, killed when it outlasts the patience.
    ToolRun run(const std::string& command) { return runProgram("timeout 15", command, folder_); }
    ToolRun xdotool(const std::string& arguments) { return run("xdotool " + arguments); }
    // Finds the visible window of a program; fails the test when there is none.
    void findWindow(const ChildProcess& program) {
        const std::string found =
            xdotool("search --sync --onlyvisible --pid " + std::to_string(program.pid())).out;
        window_ = found.substr(0, found.find('\n'));
        ASSERT_FALSE(window_.empty()) << "no window of the program's on the display";
    }
    // The window's client size.
    std::pair<int, int> geometry() {
        std::istringstream shell(xdotool("getwindowgeometry --shell " + window_).out);
        std::pair<int, int> size;
        for (std::string line; std::getline(shell, line);) {
            if (line.starts_with("WIDTH=")) {
                size.first = std::stoi(line.substr(6));
            } else if (line.starts_with("HEIGHT=")) {
                size.second = std::stoi(line.substr(7));
            }
        }
        return size;
    }
    void clickAt(int x, int y) {
        EXPECT_EQ(xdotool("mousemove --window " + window_ + " " + std::to_string(x) + " " +
                          std::to_string(y) + " click 1")
                      .exitCode,
                  0);
    }
    // Asks until `done` answers true, within the patience.
    static bool eventually(const std::function<bool()>& done) {
        for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
             std::chrono::steady_clock::now() < giveUp;
             std::this_thread::sleep_for(std::chrono::milliseconds(100))) {
            if (done()) {
                return true;
            }
        }
        return false;
    }
    // Photographs until `wanted` holds for one, within the patience.
    std::optional<XwdImage> photographUntil(const std::function<bool(const XwdImage&)>& wanted) {
        std::optional<XwdImage> picture;
        std::string why;
        const bool seen = eventually([&] {
            picture = XwdImage::parse(run("xwd -silent -id " + window_).out, &why);
            EXPECT_TRUE(picture) << "xwd: " << why;
            return picture && wanted(*picture);
        });
        return seen ? picture : std::nullopt;
    }

    static constexpr auto kPatience = std::chrono::seconds(15);
    TempFolder folder_;
    std::unique_ptr<ChildProcess> server_;
    // The display and folders of its own, for the programs the test starts.
    std::vector<std::unique_ptr<ScopedEnvironment>> environment_;
    std::string window_;
};
