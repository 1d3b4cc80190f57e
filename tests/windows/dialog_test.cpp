#include <gtest/gtest.h>

#include <array>

#include "platform/controls/button.h"
#include "platform/controls/dialog.h"
#include "platform/controls/list_box.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_object.h"
#include "window_test_support.h"

namespace {

// What the dialog procedure saw; one dialog runs at a time.
struct DialogLog {
    HWND dialog = nullptr;
    bool listExistedAtInit = false;
    WPARAM focusOffered = 0;
    std::vector<WPARAM> commands;
    bool ownerEnabledInside = true;
    RECT client{};
};
DialogLog dialogLog;

BOOL endingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            dialogLog.dialog = hwnd;
            dialogLog.listExistedAtInit = GetDlgItem(hwnd, 1002) != nullptr;
            dialogLog.focusOffered = wParam;
            GetClientRect(hwnd, &dialogLog.client);
            return TRUE;
        case WM_COMMAND:
            dialogLog.commands.push_back(wParam);
            if (LOWORD(wParam) == IDOK) {
                EndDialog(hwnd, 1);
            } else if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(hwnd, 2);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

platform::DialogTemplate chooserLike(int titleButton) {
    platform::DialogTemplate t;
    t.title = u"Choose";
    t.cx = 148;
    t.cy = 127;
    t.titleBarButton = titleButton;
    t.items.push_back(
        {u"Button", IDOK, u"Open", 18, 106, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON});
    t.items.push_back({u"Listbox", 1002, u"", 17, 18, 55, 78,
                       WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT});
    return t;
}

class DialogTest : public WindowTest {
  protected:
    void SetUp() override {
        dialogLog = DialogLog{};
        main = settledMainWindow();
    }

    // The title bar's button lies at its right end.
    void tapTitleButton() {
        backend.script().call([this] { backend.tap(240 - 8, 8); });
    }

    HWND main = nullptr;
};

TEST_F(DialogTest, TheTitleBarButtonEndsTheDialogWithItsCommand) {
    tapTitleButton();
    const platform::DialogTemplate t = chooserLike(IDCANCEL);
    EXPECT_EQ(DialogBoxIndirect(nullptr, &t, main, endingProcedure), 2);
    EXPECT_EQ(dialogLog.commands, (std::vector<WPARAM>{MAKEWPARAM(IDCANCEL, BN_CLICKED)}));
    EXPECT_FALSE(IsWindow(dialogLog.dialog));
    EXPECT_TRUE(IsWindowEnabled(main));

    tapTitleButton();
    const platform::DialogTemplate ok = chooserLike(IDOK);
    EXPECT_EQ(DialogBoxIndirect(nullptr, &ok, main, endingProcedure), 1);
}

TEST_F(DialogTest, InitialisationComesAfterTheControlsWithTheFirstTabStopOffered) {
    tapTitleButton();
    const platform::DialogTemplate t = chooserLike(IDCANCEL);
    DialogBoxIndirect(nullptr, &t, main, endingProcedure);
    EXPECT_TRUE(dialogLog.listExistedAtInit && dialogLog.focusOffered != 0);
    // The dialog fills the screen below its title bar.
    EXPECT_EQ((std::array{dialogLog.client.left, dialogLog.client.right}), (std::array<LONG, 2>{0, 240}));
    EXPECT_TRUE(dialogLog.client.bottom > 240 && dialogLog.client.bottom < 294) << dialogLog.client.bottom;
}

TEST_F(DialogTest, EnterPressesTheDefaultButton) {
    backend.script().key(VK_RETURN);
    const platform::DialogTemplate t = chooserLike(IDCANCEL);
    EXPECT_EQ(DialogBoxIndirect(nullptr, &t, main, endingProcedure), 1);
    ASSERT_EQ(dialogLog.commands.size(), 1u);
    EXPECT_EQ(LOWORD(dialogLog.commands[0]), IDOK);
}

TEST_F(DialogTest, TappingAControlReachesTheDialogProcedure) {
    // The Open button sits at 18 x 106 dialog units; tap it where it was placed.
    backend.script().call([this] {
        HWND open = GetDlgItem(dialogLog.dialog, IDOK);
        ASSERT_NE(open, nullptr);
        RECT client;
        GetClientRect(open, &client);
        const POINT origin = platform::clientOriginOnScreen(open);
        backend.tap(origin.x + client.right / 2, origin.y + client.bottom / 2);
    });
    const platform::DialogTemplate t = chooserLike(IDCANCEL);
    EXPECT_EQ(DialogBoxIndirect(nullptr, &t, main, endingProcedure), 1);
    EXPECT_EQ(dialogLog.commands, (std::vector<WPARAM>{MAKEWPARAM(IDOK, BN_CLICKED)}));
}

TEST_F(DialogTest, TheMainWindowKeepsItsTimersAndPaintsWhileTheDialogIsOpen) {
    SetTimer(main, 1, 100, nullptr);
    onMessage = [this](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_TIMER && hwnd == main) {
            dialogLog.ownerEnabledInside = IsWindowEnabled(main) != FALSE;
            InvalidateRect(main, nullptr, FALSE);
        }
        return false;
    };
    backend.script().wait(350);
    tapTitleButton();
    const platform::DialogTemplate t = chooserLike(IDCANCEL);
    EXPECT_EQ(DialogBoxIndirect(nullptr, &t, main, endingProcedure), 2);
    EXPECT_EQ(received(WM_TIMER).size(), 3u);
    EXPECT_GE(received(WM_PAINT).size(), 3u);
    EXPECT_TRUE(!dialogLog.ownerEnabledInside && IsWindowEnabled(main)) << "disabled only while it is open";
}

TEST_F(DialogTest, TheQuitMessageEndsTheDialogAndTheOuterLoop) {
    backend.script().call([] { PostQuitMessage(3); });
    const platform::DialogTemplate t = chooserLike(IDCANCEL);
    EXPECT_EQ(DialogBoxIndirect(nullptr, &t, main, endingProcedure), IDCANCEL);
    EXPECT_FALSE(IsWindow(dialogLog.dialog));
    MSG msg;
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(DialogTest, ResourceTemplatesAreFoundByNumber) {
    platform::registerDialogResource(132, chooserLike(IDCANCEL));
    tapTitleButton();
    EXPECT_EQ(DialogBox(nullptr, 132, main, endingProcedure), 2);
    EXPECT_EQ(DialogBox(nullptr, 4711, main, endingProcedure), -1);
}

TEST_F(DialogTest, TheTitleBarShowsOnTheScreen) {
    backend.script().call([this] {
        const platform::Pixel bar = platform::pixelFromColour(RGB(10, 36, 106));
        EXPECT_EQ(backend.pixelAt(1, 1), bar);
        // The client area below is the dialog's own background.
        EXPECT_EQ(backend.pixelAt(230, 280), platform::pixelFromColour(RGB(212, 208, 200)));
        backend.tap(240 - 8, 8);
    });
    const platform::DialogTemplate t = chooserLike(IDCANCEL);
    DialogBoxIndirect(nullptr, &t, main, endingProcedure);
    // The main window shows again as it was.
    EXPECT_EQ(backend.pixelAt(1, 1), platform::pixelFromColour(RGB(110, 87, 158)));
}

}  // namespace
