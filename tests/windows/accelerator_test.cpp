#include <gtest/gtest.h>

#include "platform/windows/accelerators.h"
#include "platform/windows/message_loop.h"
#include "window_test_support.h"

namespace {

constexpr WORD IDM_OK = 40000;

class AcceleratorTest : public WindowTest {
  protected:
    void SetUp() override {
        platform::registerAcceleratorResource(2, {{FVIRTKEY | FCONTROL, 'Q', IDM_OK}});
        main = createMainWindow();
        table = LoadAccelerators(nullptr, 2);
    }

    // The game's loop: accelerators first, then translate and dispatch.
    void runLoop() {
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0)) {
            if (!TranslateAccelerator(main, table, &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }

    HWND main = nullptr;
    HACCEL table = nullptr;
};

TEST_F(AcceleratorTest, ControlQBecomesTheCloseCommand) {
    ASSERT_NE(table, nullptr);
    backend.script().key('Q', platform::MODIFIER_CONTROL);
    runLoop();
    EXPECT_EQ(targets(WM_COMMAND), (std::vector<HWND>{main}));
    EXPECT_EQ(received(WM_COMMAND).at(0).wParam, MAKEWPARAM(IDM_OK, 1));
    // Translated, the key press itself never reaches the window.
    EXPECT_TRUE(received(WM_KEYDOWN).empty());
}

TEST_F(AcceleratorTest, OtherCombinationsAreOrdinaryKeys) {
    backend.script()
        .key('Q')
        .key('Q', platform::MODIFIER_CONTROL | platform::MODIFIER_SHIFT)
        .key('W', platform::MODIFIER_CONTROL);
    runLoop();
    EXPECT_TRUE(received(WM_COMMAND).empty());
    EXPECT_EQ(received(WM_KEYDOWN).size(), 3u);
}

TEST_F(AcceleratorTest, TheCommandReachesTheWindowEvenWhenAControlHasTheFocus) {
    HWND button = createChild(main, u"Button", 0, 5, {0, 0, 20, 20}, u"x");
    SetFocus(button);
    backend.script().key('Q', platform::MODIFIER_CONTROL);
    runLoop();
    EXPECT_EQ(targets(WM_COMMAND), (std::vector<HWND>{main}));
}

TEST_F(AcceleratorTest, AnUnknownTableIsNone) {
    EXPECT_EQ(LoadAccelerators(nullptr, 99), nullptr);
    MSG msg;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'Q';
    msg.modifiers = platform::MODIFIER_CONTROL;
    EXPECT_EQ(TranslateAccelerator(main, nullptr, &msg), 0);
}

}  // namespace
