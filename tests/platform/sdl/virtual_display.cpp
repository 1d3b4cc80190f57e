#include "tests/platform/sdl/virtual_display.h"

#include <chrono>
#include <string>

namespace testing_support {

std::unique_ptr<VirtualDisplay> VirtualDisplay::start(int width, int height, std::string* why) {
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // -displayfd 1: Xvfb takes the first free display and prints its number once it is ready.
    auto server =
        ChildProcess::start({"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
    if (!server) {
        *why = "could not start a process for Xvfb";
        return nullptr;
    }
    const auto number = server->readLine(std::chrono::seconds(15));
    if (!number || number->empty() || number->find_first_not_of("0123456789") != std::string::npos) {
        const auto code = server->waitForExit(std::chrono::milliseconds(100));
        *why = code == 127 ? "Xvfb is not installed"
               : code      ? "Xvfb ended with code " + std::to_string(*code)
                           : "Xvfb did not report a display within 15 seconds";
        return nullptr;
    }
    return std::unique_ptr<VirtualDisplay>(new VirtualDisplay(std::move(server), ":" + *number));
}

}  // namespace testing_support
