#include "platform/sdl/desktop_window.h"

#include <gtest/gtest.h>

#include "platform/controls/message_box.h"
#include "tests/platform/windows/window_test_support.h"

namespace platform {
namespace {

using MainWindow = WindowTest;

TEST_F(MainWindow, IsTheProgramsFirstTopLevelWindow) {
    EXPECT_EQ(findMainWindow(), nullptr);
    HWND main = createMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(findMainWindow(), main);
    HWND later = createMainWindow();
    EXPECT_EQ(findMainWindow(), main);
    DestroyWindow(main);
    EXPECT_EQ(findMainWindow(), later);
    DestroyWindow(later);
    EXPECT_EQ(findMainWindow(), nullptr);
}

TEST_F(MainWindow, AMessageBoxOnTopIsNotIt) {
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
