// Opening the desktop backend where there is nothing to show it on: one
// clear line says why. An empty DISPLAY or WAYLAND_DISPLAY counts as unset.
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_audio.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

TEST(OpenWithoutDisplay, FailsWithOneClearLine) {
    const std::string prefix = "Vellumar needs a display: ";
    const struct {
        const char *display, *wayland, *driver;
        std::string why;  // exactly, or a word the line names
        bool exact;
    } cases[] = {
        // Only X11: a console's own display (KMS) must not be tried from a test.
        {"", "", "x11", "DISPLAY", false},
        // Before trying any driver.
        {"", "", nullptr, prefix + "neither DISPLAY nor WAYLAND_DISPLAY is set", true},
        // No server there.
        {":987", "", nullptr, prefix + "the display \":987\" could not be opened", true},
        {":987", "", "dummy", "dummy", false},  // the video drivers that show nothing are refused
        {":987", "", "offscreen", "offscreen", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        ScopedEnvironment display("DISPLAY", c.display);
        ScopedEnvironment wayland("WAYLAND_DISPLAY", c.wayland);
        ScopedEnvironment driver("SDL_VIDEODRIVER", c.driver ? c.driver : "");
        if (!c.driver) {
            ::unsetenv("SDL_VIDEODRIVER");  // SDL itself takes an empty one as a name
        }
        std::string why;
        EXPECT_EQ(SdlBackend::open({}, &why), nullptr);
        if (c.exact) {
            EXPECT_EQ(why, c.why);
        } else {
            EXPECT_TRUE(why.starts_with(prefix) && why.size() > prefix.size()) << why;
            EXPECT_EQ(why.find('\n'), std::string::npos) << why;
            EXPECT_NE(why.find(c.why), std::string::npos) << why;
        }
    }
}

// No sound card: ALSA's own complaints (eight lines) stay off the terminal
// (the backend says why in its one line), and a sound returns at once.
TEST(SoundWithoutDevice, IsQuietAndReturnsAtOnce) {
    ScopedEnvironment driver("SDL_AUDIODRIVER", "alsa");
    testing::internal::CaptureStderr();
    SdlAudio audio;
    WaveFile wave;
    wave.channels = 1;
    wave.bitsPerSample = 16;
    wave.sampleRate = 8000;
    wave.data.assign(16000, 0);
    const std::string noise = testing::internal::GetCapturedStderr();
    if (audio.available()) {
        GTEST_SKIP() << "this machine has a sound card";
    }
    EXPECT_FALSE(audio.failure().empty());
    EXPECT_FALSE(audio.play(wave));
    EXPECT_EQ(noise, "");
}

}  // namespace
}  // namespace platform
