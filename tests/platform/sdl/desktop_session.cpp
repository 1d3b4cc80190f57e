#include "tests/platform/sdl/desktop_session.h"

#include <filesystem>
#include <sstream>
#include <thread>

using testing_support::XwdImage;

void DesktopSession::SetUp() {
    server_ = start({"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    // -displayfd 1: Xvfb prints the number of the display it took once it is ready.
    const auto number = server_ ? server_->readLine(kPatience) : std::nullopt;
    if (!number || number->empty() || number->find_first_not_of("0123456789") != std::string::npos) {
        const int code = server_ ? server_->waitForExit(std::chrono::milliseconds(100)).value_or(-1) : -1;
        GTEST_SKIP() << "Xvfb cannot start here ("
                     << (code == 127 ? "not installed" : "exit code " + std::to_string(code))
                     << "); the program needs an X display";
    }
    // Its own folders: no other copy's lock or settings, on this machine or in another test.
    environment_ = {{"DISPLAY", ":" + *number},
                    {"SDL_VIDEODRIVER", "x11"},
                    {"SDL_AUDIODRIVER", "dummy"},  // SDL's silent device keeps time like a sound card
                    {"XDG_RUNTIME_DIR", (folder_ / "runtime").string()},
                    {"XDG_CONFIG_HOME", (folder_ / "config").string()},
                    {"XDG_DATA_HOME", (folder_ / "data").string()},
                    testing_support::leaksReportedOnly()};
    std::filesystem::create_directories(folder_ / "runtime");
}

testing_support::CommandResult DesktopSession::xdotool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "xdotool");
    return testing_support::runCommand(arguments, environment_, kPatience);
}

void DesktopSession::findWindow(const testing_support::ChildProcess& program) {
    const auto found = xdotool({"search", "--sync", "--onlyvisible", "--pid", std::to_string(program.pid())});
    window_ = found.output.substr(0, found.output.find('\n'));
    ASSERT_FALSE(window_.empty()) << "no window of the program's on the display";
}

std::pair<int, int> DesktopSession::geometry() {
    std::istringstream shell(xdotool({"getwindowgeometry", "--shell", window_}).output);
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
    EXPECT_EQ(xdotool({"mousemove", "--window", window_, std::to_string(x), std::to_string(y), "click", "1"})
                  .exitCode,
              0);
}

std::optional<XwdImage> DesktopSession::photograph() {
    const auto dump =
        testing_support::runCommand({"xwd", "-silent", "-id", window_}, environment_, kPatience);
    std::string why;
    auto image = XwdImage::parse(dump.output, &why);
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
