// An X server of our own for a test: Xvfb on a display number it picks itself
// (-displayfd), so tests running side by side never share one.
#pragma once

#include <memory>
#include <string>

#include "tests/platform/sdl/child_process.h"

namespace testing_support {

class VirtualDisplay {
  public:
    // A screen of width x height at 24 bits; nullptr and the reason when Xvfb
    // is missing or does not come up within a few seconds.
    static std::unique_ptr<VirtualDisplay> start(int width, int height, std::string* why);

    // ":N", for DISPLAY.
    const std::string& name() const { return name_; }

    // Ends the server, as when the X session goes away under its clients.
    void stop() { server_.reset(); }

  private:
    VirtualDisplay(std::unique_ptr<ChildProcess> server, std::string name)
        : server_(std::move(server)), name_(std::move(name)) {}

    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};

}  // namespace testing_support
