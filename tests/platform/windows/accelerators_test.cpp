#include "platform/windows/accelerators.h"
#include "platform/windows/message_loop.h"

#include <gtest/gtest.h>

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

// Translated, the key press itself never reaches the window, even when a control has the focus.
TEST_F(AcceleratorTest, ControlQBecomesTheCloseCommandAndOtherCombinationsAreOrdinaryKeys) {
    ASSERT_NE(table, nullptr);
    HWND button = createChild(main, u"Button", 0, 5, {0, 0, 20, 20}, u"x");
    backend.script()
        .key('Q')
        .key('Q', platform::MODIFIER_CONTROL | platform::MODIFIER_SHIFT)
        .key('W', platform::MODIFIER_CONTROL)
        .call([button] { SetFocus(button); })
        .key('Q', platform::MODIFIER_CONTROL);
    runLoop();
    EXPECT_EQ(targets(WM_COMMAND), (std::vector<HWND>{main}));
    EXPECT_EQ(wParams(WM_COMMAND), (std::vector<WPARAM>{MAKEWPARAM(IDM_OK, 1)}));
    EXPECT_EQ(received(WM_KEYDOWN).size(), 3u);
}

}  // namespace
