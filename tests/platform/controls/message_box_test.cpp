#include "platform/controls/message_box.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/pixels/surface.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/timers.h"
#include "tests/platform/windows/window_test_support.h"
#include "tests/support/test_canvas.h"

namespace {

constexpr platform::Pixel kTitleBar = platform::pixelFromColour(RGB(10, 36, 106));

// The rows and columns of the screen where the message box's title bar shows.
drawing_test::PixelBox titleBarOn(const platform::Surface& screen) {
    return drawing_test::boxWhere(screen, [](platform::Pixel p) { return p == kTitleBar; });
}

class MessageBoxTest : public WindowTest {
  protected:
    void SetUp() override { main = settledMainWindow(); }
    HWND main = nullptr;
};

// Enter chooses the first button; Escape cannot dismiss a question.
TEST_F(MessageBoxTest, EnterChoosesTheFirstButtonAndEscapeCannotDismissAQuestion) {
    backend.script().key(VK_ESCAPE).key(VK_RETURN);
    EXPECT_EQ(MessageBox(main, u"Ok to reset program to default settings?", u"Confirm", MB_YESNO), IDYES);
    backend.script().key(VK_RETURN);
    EXPECT_EQ(MessageBox(main, u"Done", u"Note", MB_OK), IDOK);
}

TEST_F(MessageBoxTest, TheOwnerGetsNoInputButKeepsItsTimersAndPaints) {
    SetTimer(main, 1, 100, nullptr);
    bool enabledInside = true;
    onMessage = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_TIMER) {
            enabledInside = IsWindowEnabled(hwnd) != FALSE;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return false;
    };
    // A tap on the main window beside the box is dropped; the answer comes after a while.
    backend.script().tap(3, 3).wait(250).call([this] { backend.answerMessageBoxes({IDNO}); });
    EXPECT_EQ(MessageBox(main, u"Ok to restart pattern?", u"Confirm", MB_YESNO), IDNO);
    EXPECT_TRUE(received(WM_LBUTTONDOWN).empty());
    EXPECT_EQ(received(WM_TIMER).size(), 2u);
    EXPECT_GE(received(WM_PAINT).size(), 2u);
    EXPECT_FALSE(enabledInside);
}

TEST_F(MessageBoxTest, ABoxWithoutOwnerStillHoldsBackTheOtherWindows) {
    backend.script().tap(3, 3).key(VK_RETURN);
    EXPECT_EQ(MessageBox(nullptr, u"Hello", u"Note", MB_OK), IDOK);
    EXPECT_TRUE(received(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(MessageBoxTest, TheBoxIsCentredAndFitsTheScreenWithItsTextWrapped) {
    const char16_t* text =
        u"Ok to reset program to default settings? Every choice you made goes back to the way it was when "
        u"the "
        u"game was new, and the pattern starts again.";
    platform::Surface shown;
    backend.script().call([&] { shown = backend.screen(); }).key(VK_RETURN);
    MessageBox(main, text, u"Vellumar-Confirm", MB_YESNO);
    const drawing_test::PixelBox bar = titleBarOn(shown);
    ASSERT_GE(bar.right, 0);
    EXPECT_TRUE(bar.left > 0 && bar.right < 239) << bar.left << "-" << bar.right;
    EXPECT_LE(std::abs((bar.left + bar.right + 1) - 240), 1);  // centred across
    // Taller than one line of text: the text wrapped onto several lines, all on the screen.
    int lowestDark = 0;
    for (int y = bar.bottom + 1; y < shown.height(); ++y) {
        for (int x = bar.left + 2; x < bar.right - 2; ++x) {
            if (((shown.at(x, y) >> 8) & 0xFF) < 80) {
                lowestDark = y;
            }
        }
    }
    EXPECT_GT(lowestDark - bar.bottom, 6 * (bar.bottom - bar.top + 1) / 2);
    EXPECT_LT(lowestDark, 294);
}

TEST_F(MessageBoxTest, OnALargerScreenTheTextGrowsWithTheResolution) {
    DestroyWindow(main);
    auto titleHeight = [this](int width, int height, int dpi) {
        backend.setScreenSize(width, height);
        backend.setDotsPerInch(dpi);
        HWND window = createMainWindow();
        platform::Surface shown;
        backend.script().call([&] { shown = backend.screen(); }).key(VK_RETURN);
        MessageBox(window, u"Ok to restart pattern?", u"Confirm", MB_YESNO);
        DestroyWindow(window);
        const drawing_test::PixelBox bar = titleBarOn(shown);
        return bar.bottom - bar.top + 1;
    };
    const int small = titleHeight(240, 294, 96);
    const int large = titleHeight(480, 588, 192);
    EXPECT_GT(small, 8);
    EXPECT_GE(large, 2 * small - 2);
}

}  // namespace
