#include "platform/sdl/desktop_window.h"

#include <gtest/gtest.h>

#include "platform/controls/message_box.h"
#include "platform/headless/headless_backend.h"
#include "platform/windows/window.h"

namespace platform {
namespace {

LRESULT plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class MainWindow : public ::testing::Test {
  protected:
    MainWindow() {
        WNDCLASS windowClass;
        windowClass.lpfnWndProc = plainProcedure;
        windowClass.lpszClassName = u"MAINWINDOWTEST";
        RegisterClass(&windowClass);
    }

    HWND create(const WCHAR* title) {
        return CreateWindow(u"MAINWINDOWTEST", title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, 0, nullptr);
    }

    HeadlessBackend backend;
};

TEST_F(MainWindow, IsTheProgramsFirstTopLevelWindow) {
    EXPECT_EQ(findMainWindow(), nullptr);
    HWND main = create(u"Main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(findMainWindow(), main);
    HWND later = create(u"Later");
    EXPECT_EQ(findMainWindow(), main);
    DestroyWindow(main);
    EXPECT_EQ(findMainWindow(), later);
    DestroyWindow(later);
    EXPECT_EQ(findMainWindow(), nullptr);
}

TEST_F(MainWindow, AMessageBoxOnTopIsNotIt) {
    HWND main = create(u"Main");
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
