#include "platform/controls/dialog.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/controls/button.h"
#include "platform/controls/list_box.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/window_object.h"
#include "tests/platform/windows/window_test_support.h"

namespace {

// What the dialog procedure saw; one dialog runs at a time.
struct DialogLog {
    HWND dialog = nullptr;
    bool listExistedAtInit = false;
    WPARAM focusOffered = 0;
    std::vector<WPARAM> commands;
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
    return {
        u"Choose",
        148,
        127,
        titleButton,
        {{u"Button", IDOK, u"Open", 18, 106, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
         {u"Listbox", 1002, u"", 17, 18, 55, 78,
          WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT}}};
}

class DialogTest : public WindowTest {
  protected:
    void SetUp() override {
        dialogLog = DialogLog{};
        main = settledMainWindow();
    }

    // Runs a chooser-like dialog to its end.
    int run(int titleButton = IDCANCEL) {
        const platform::DialogTemplate t = chooserLike(titleButton);
        return DialogBoxIndirect(nullptr, &t, main, endingProcedure);
    }
    // The title bar's button lies at its right end.
    void tapTitleButton() {
        backend.script().call([this] { backend.tap(240 - 8, 8); });
    }

    HWND main = nullptr;
};

TEST_F(DialogTest, TheTitleBarButtonEndsTheDialogWithItsCommand) {
    tapTitleButton();
    EXPECT_EQ(run(), 2);
    EXPECT_EQ(dialogLog.commands, (std::vector<WPARAM>{MAKEWPARAM(IDCANCEL, BN_CLICKED)}));
    EXPECT_FALSE(IsWindow(dialogLog.dialog));
    EXPECT_TRUE(IsWindowEnabled(main));
    // Initialised after its controls were made, with the first tab stop offered
    // the focus, it filled the screen below its title bar.
    EXPECT_TRUE(dialogLog.listExistedAtInit && dialogLog.focusOffered != 0);
    EXPECT_EQ((std::array{dialogLog.client.left, dialogLog.client.right}), (std::array<LONG, 2>{0, 240}));
    EXPECT_TRUE(dialogLog.client.bottom > 240 && dialogLog.client.bottom < 294) << dialogLog.client.bottom;

    tapTitleButton();
    EXPECT_EQ(run(IDOK), 1);
}

TEST_F(DialogTest, TheQuitMessageEndsTheDialogAndTheOuterLoop) {
    backend.script().call([] { PostQuitMessage(3); });
    EXPECT_EQ(run(), IDCANCEL);
    EXPECT_FALSE(IsWindow(dialogLog.dialog));
    MSG msg;
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
