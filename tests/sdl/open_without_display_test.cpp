// Opening the desktop backend where there is nothing to show it on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_backend.h"

namespace platform {
namespace {

// Sets environment variables for the test's lifetime.
class ScopedEnvironment {
  public:
    void set(const char* name, const char* value) {
        remember(name);
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }
    }

  private:
    void remember(const char* name) {
        const char* now = std::getenv(name);
        saved_.emplace_back(name, now ? std::optional<std::string>(now) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

void expectOneLineReason(const std::string& why) {
    EXPECT_EQ(why.rfind("Vellumar needs a display: ", 0), 0u) << why;
    EXPECT_EQ(why.find('\n'), std::string::npos) << why;
    EXPECT_GT(why.size(), std::string("Vellumar needs a display: ").size()) << why;
}

TEST(OpenWithoutDisplay, FailsWithOneClearLine) {
    ScopedEnvironment environment;
    environment.set("DISPLAY", nullptr);
    environment.set("WAYLAND_DISPLAY", nullptr);
    // Only X11: a console's own display (KMS) must not be tried from a test.
    environment.set("SDL_VIDEODRIVER", "x11");
    std::string why;
    EXPECT_EQ(SdlBackend::open({}, &why), nullptr);
    expectOneLineReason(why);
    EXPECT_NE(why.find("DISPLAY"), std::string::npos) << why;
}

TEST(OpenWithoutDisplay, SaysSoBeforeTryingAnyDriver) {
    ScopedEnvironment environment;
    environment.set("DISPLAY", nullptr);
    environment.set("WAYLAND_DISPLAY", "");
    environment.set("SDL_VIDEODRIVER", nullptr);
    std::string why;
    EXPECT_EQ(SdlBackend::open({}, &why), nullptr);
    EXPECT_EQ(why, "Vellumar needs a display: neither DISPLAY nor WAYLAND_DISPLAY is set");
}

TEST(OpenWithoutDisplay, ADisplayThatDoesNotAnswerIsSaidToBeOne) {
    ScopedEnvironment environment;
    environment.set("DISPLAY", ":987");  // no server there
    environment.set("WAYLAND_DISPLAY", nullptr);
    environment.set("SDL_VIDEODRIVER", nullptr);
    std::string why;
    EXPECT_EQ(SdlBackend::open({}, &why), nullptr);
    EXPECT_EQ(why, "Vellumar needs a display: the display \":987\" could not be opened");
}

TEST(OpenWithoutDisplay, RefusesTheVideoDriversThatShowNothing) {
    for (const char* driver : {"dummy", "offscreen"}) {
        ScopedEnvironment environment;
        environment.set("SDL_VIDEODRIVER", driver);
        std::string why;
        EXPECT_EQ(SdlBackend::open({}, &why), nullptr) << driver;
        expectOneLineReason(why);
        EXPECT_NE(why.find(driver), std::string::npos) << why;
    }
}

}  // namespace
}  // namespace platform
