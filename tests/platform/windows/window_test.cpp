#include "platform/windows/window.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include <array>

#include "platform/drawing/gdi_objects.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/screen.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_object.h"
#include "window_test_support.h"

namespace {

class WindowTreeTest : public WindowTest {};

TEST_F(WindowTreeTest, DestroyingAWindowDestroysItsChildrenParentFirst) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 1, {0, 0, 10, 10});
    HWND grandchild = createChild(child, u"Recorder", 0, 2, {0, 0, 5, 5});
    SetTimer(grandchild, 1, 100, nullptr);
    clearReceived();
    EXPECT_EQ(DestroyWindow(main), TRUE);
    EXPECT_EQ(targets(WM_DESTROY), (std::vector<HWND>{main, child, grandchild}));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_EQ(DestroyWindow(main), FALSE);
    clearReceived();
    backend.runFor(500);
    EXPECT_TRUE(received().empty());
}

// Class names are taken once and compare without regard to case; titles compare exactly.
TEST_F(WindowTreeTest, ClassNamesAreTakenOnceAndFindWindowMatchesClassAndTitle) {
    WNDCLASS again;
    again.lpfnWndProc = DefWindowProc;
    again.lpszClassName = u"RECORDER";
    EXPECT_EQ(RegisterClass(&again), 0);
    again.lpszClassName = u"Other";
    EXPECT_NE(RegisterClass(&again), 0);
    EXPECT_EQ(CreateWindow(u"Nothing", u"", WS_VISIBLE, 0, 0, 1, 1, nullptr, 0, nullptr), nullptr);
    HWND main = createMainWindow();
    EXPECT_EQ((std::array{FindWindow(u"recorder", u"Main"), FindWindow(u"Recorder", u"main"),
                          FindWindow(u"Recorder", nullptr), FindWindow(u"VELLUMAR", u"Main")}),
              (std::array<HWND, 4>{main, nullptr, main, nullptr}));
}

TEST_F(WindowTreeTest, KeysGoToTheFocusOrElseToTheActiveWindow) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 1, {0, 0, 10, 10});
    backend.pressKey(VK_DOWN);
    SetFocus(child);
    backend.runUntilIdle();
    backend.pressKey(VK_UP);
    backend.runUntilIdle();
    EXPECT_EQ(SetFocus(main), child);
    EXPECT_EQ(GetFocus(), main);
    // The first key was queued before the focus moved but is delivered after:
    // it goes where the focus is then.
    EXPECT_EQ(targets(WM_KEYDOWN), (std::vector<HWND>{child, child}));
    EXPECT_EQ(received(WM_KEYDOWN).at(1).wParam, VK_UP);
    DestroyWindow(child);
    backend.pressKey(VK_LEFT);
    backend.runUntilIdle();
    EXPECT_EQ(received(WM_KEYDOWN).back().hwnd, main);
}

TEST_F(WindowTreeTest, AWheelOverAWindowThatDoesNotUseItReachesItsParent) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 7, {150, 150, 200, 200});
    backend.turnWheel(160, 160, WHEEL_DELTA);
    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_MOUSEWHEEL), (std::vector<HWND>{child, main}));
    const auto wheels = received(WM_MOUSEWHEEL);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[1].wParam), WHEEL_DELTA);
    EXPECT_EQ(wheels[1].lParam, MAKELPARAM(160, 160)) << "the pointer on the screen";
}

}  // namespace

// A class owns its background brush until the program ends, and lets go of it
// then: under LeakSanitizer (the sanitizer build) a child that registers a
// class and ends would otherwise fail with the leak.
// Out of line, so that no copy of the brush's address stays on the stack.
[[gnu::noinline]] bool registerClassWithABrush() {
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = DefWindowProc;
    windowClass.hbrBackground = CreateSolidBrush(RGB(110, 87, 158));
    windowClass.lpszClassName = u"EndsWithTheProgram";
    return RegisterClass(&windowClass) != 0;
}

TEST(WindowClassBrush, IsReleasedWhenTheProgramEnds) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::exit(registerClassWithABrush() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
