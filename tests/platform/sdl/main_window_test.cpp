#include "platform/sdl/desktop_window.h"

#include <gtest/gtest.h>

#include "platform/controls/message_box.h"
#include "tests/platform/windows/window_test_support.h"

namespace platform {
namespace {

using MainWindow = WindowTest;

// The desktop finds the game's window to title it, to colour around its
// screen and to close it (pinned by the virtual display's sessions); an open
// prompt, a top-level window of its own, is not it.
TEST_F(MainWindow, AMessageBoxOnTopIsNotIt) {
    EXPECT_EQ(findMainWindow(), nullptr);
    HWND main = createMainWindow();
    HWND seen = nullptr;
    backend.script().call([&] {
        seen = findMainWindow();
        backend.answerMessageBoxes({IDYES});
    });
    EXPECT_EQ(MessageBox(nullptr, u"Sure?", u"Question", MB_YESNO), IDYES);
    EXPECT_EQ(seen, main);
}

}  // namespace
}  // namespace platform
