#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include <array>

#include "platform/drawing/cursor.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/screen.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_object.h"
#include "window_test_support.h"

namespace {

class WindowTreeTest : public WindowTest {};

TEST_F(WindowTreeTest, ADefaultWindowCoversTheScreen) {
    backend.setScreenSize(320, 214);
    HWND main = createMainWindow();
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client, (RECT{0, 0, 320, 214}));
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(WindowTreeTest, ChildrenAreFoundByIdAndMovedWithinTheirParent) {
    HWND main = createMainWindow();
    HWND child = createChild(main, u"Recorder", 0, 1060, {0, 0, 10, 10});
    EXPECT_EQ((std::array{GetDlgItem(main, 1060), GetDlgItem(main, 1061), GetParent(child)}),
              (std::array<HWND, 3>{child, nullptr, main}));
    MoveWindow(child, 2, 211, 86, 13, TRUE);
    RECT client;
    GetClientRect(child, &client);
    EXPECT_EQ(client, (RECT{0, 0, 86, 13}));
    backend.runUntilIdle();
    clearReceived();
    backend.tap(2 + 5, 211 + 7);
    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_LBUTTONDOWN), (std::vector<HWND>{child}));
    EXPECT_EQ(received(WM_LBUTTONDOWN).at(0).lParam, MAKELPARAM(5, 7));
    EXPECT_EQ(received(WM_LBUTTONDOWN).at(0).wParam, MK_LBUTTON);
}

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

TEST_F(WindowTreeTest, CloseDestroysByDefault) {
    HWND main = createMainWindow();
    SendMessage(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(received(WM_DESTROY).size(), 1u);
}

TEST_F(WindowTreeTest, AWindowRefusingCreationIsNotMade) {
    onMessage = [](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = -1;
        return message == WM_CREATE;
    };
    EXPECT_EQ(createMainWindow(), nullptr);
    EXPECT_EQ(FindWindow(u"Recorder", nullptr), nullptr);
}

TEST_F(WindowTreeTest, ClassNamesAreTakenOnceWithoutRegardToCase) {
    WNDCLASS again;
    again.lpfnWndProc = DefWindowProc;
    again.lpszClassName = u"RECORDER";
    EXPECT_EQ(RegisterClass(&again), 0);
    again.lpszClassName = u"Other";
    EXPECT_NE(RegisterClass(&again), 0);
    EXPECT_EQ(CreateWindow(u"Nothing", u"", WS_VISIBLE, 0, 0, 1, 1, nullptr, 0, nullptr), nullptr);
}

TEST_F(WindowTreeTest, FindWindowMatchesClassAndTitle) {
    HWND main = createMainWindow();
    // Class names compare without regard to case, titles exactly.
    EXPECT_EQ((std::array{FindWindow(u"recorder", u"Main"), FindWindow(u"Recorder", u"main"),
                          FindWindow(u"Recorder", nullptr), FindWindow(u"VELLUMAR", u"Main")}),
              (std::array<HWND, 4>{main, nullptr, main, nullptr}));
}

TEST_F(WindowTreeTest, SetForegroundWindowRaisesItAndWithTheLowBitItsOwnedWindows) {
    HWND first = createMainWindow();
    HWND second = CreateWindow(u"Recorder", u"Second", WS_VISIBLE, 0, 0, 240, 294, nullptr, 0, nullptr);
    HWND small = CreateWindow(u"Recorder", u"Owned", WS_VISIBLE, 10, 10, 20, 20, nullptr, 0, nullptr);
    small->owner = first;
    backend.runUntilIdle();
    clearReceived();
    backend.tap(100, 100);
    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_LBUTTONDOWN), (std::vector<HWND>{second}));

    const auto withOwned = reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(first) | 1u);
    EXPECT_EQ(SetForegroundWindow(withOwned), TRUE);
    clearReceived();
    backend.tap(100, 100);
    backend.tap(15, 15);
    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_LBUTTONDOWN), (std::vector<HWND>{first, small}));
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

TEST_F(WindowTreeTest, TheMouseMovesOverWindowsWithoutTheButton) {
    HWND main = settledMainWindow();
    backend.moveTo(30, 40);
    backend.runUntilIdle();
    EXPECT_EQ(targets(WM_MOUSEMOVE), (std::vector<HWND>{main}));
    EXPECT_EQ(received(WM_MOUSEMOVE).at(0).wParam, 0u);
    EXPECT_EQ(received(WM_MOUSEMOVE).at(0).lParam, MAKELPARAM(30, 40));
}

TEST_F(WindowTreeTest, CursorsAreRecorded) {
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    EXPECT_EQ(platform::currentCursor(), arrow);
    EXPECT_EQ(SetCursor(wait), arrow);
    EXPECT_EQ(platform::currentCursor()->shape, IDC_WAIT);
    EXPECT_EQ(SetCursor(LoadCursor(nullptr, IDC_CROSS)), wait);
    SetCursor(arrow);
}

TEST_F(WindowTreeTest, AScreenTurnResizesFullScreenWindowsAndTellsThem) {
    HWND main = settledMainWindow();
    backend.changeScreenSize(320, 214);
    RECT client;
    GetClientRect(main, &client);
    EXPECT_EQ(client, (RECT{0, 0, 320, 214}));
    const auto changes = received(WM_SETTINGCHANGE);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, SETTINGCHANGE_RESET);
    backend.runUntilIdle();
    EXPECT_EQ(backend.pixelAt(319, 213), platform::pixelFromColour(RGB(110, 87, 158)));
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
