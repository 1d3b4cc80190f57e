#include "tests/platform/sdl/desktop_session.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

using testing_support::XwdImage;

void DesktopSession::SetUp() {
    // -displayfd 1: Xvfb prints the number of the display it took once it is ready.
    server_ = start({"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
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

void DesktopSession::findWindow(const testing_support::ChildProcess& program) {
    const std::string found =
        xdotool("search --sync --onlyvisible --pid " + std::to_string(program.pid())).out;
    window_ = found.substr(0, found.find('\n'));
    ASSERT_FALSE(window_.empty()) << "no window of the program's on the display";
}

std::pair<int, int> DesktopSession::geometry() {
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

void DesktopSession::clickAt(int x, int y) {
    EXPECT_EQ(xdotool("mousemove --window " + window_ + " " + std::to_string(x) + " " + std::to_string(y) +
                      " click 1")
                  .exitCode,
              0);
}

std::optional<XwdImage> DesktopSession::photograph() {
    std::string why;
    auto image = XwdImage::parse(run("xwd -silent -id " + window_).out, &why);
    EXPECT_TRUE(image) << "xwd: " << why;
    return image;
}

bool DesktopSession::eventually(const std::function<bool()>& done) {
    using namespace std::chrono_literals;
    for (auto giveUp = std::chrono::steady_clock::now() + kPatience;
         std::chrono::steady_clock::now() < giveUp; std::this_thread::sleep_for(100ms)) {
        if (done()) {
            return true;
        }
    }
    return false;
}

std::optional<XwdImage> DesktopSession::photographUntil(const std::function<bool(const XwdImage&)>& wanted) {
    std::optional<XwdImage> picture;
    return eventually([&] { return (picture = photograph()) && wanted(*picture); }) ? picture : std::nullopt;
}
