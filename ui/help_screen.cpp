#include "ui/help_screen.h"

#include "platform/controls/dialog.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/resource_images.h"
#include "platform/system/resources.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/window.h"

namespace {

// The dialog procedure has no argument of its own for this; the help runs
// one at a time.
const HelpContext* current = nullptr;

void paintChart(HWND dialog) {
    PAINTSTRUCT paint{};
    const HDC hdc = BeginPaint(dialog, &paint);
    RECT client{};
    GetClientRect(dialog, &client);
    FillRect(hdc, &client, current->background);
    const int chart = *current->isPortrait != 0 ? kPortraitChart : kLandscapeChart;
    if (const HBITMAP bitmap = LoadBitmap(current->instance, chart)) {
        BITMAP size{};
        GetObject(bitmap, sizeof size, &size);
        const HDC memory = CreateCompatibleDC(hdc);
        const HBITMAP old = SelectObject(memory, bitmap);
        StretchBlt(hdc, 0, 0, client.right, client.bottom, memory, 0, 0, size.bmWidth, size.bmHeight,
                   SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
    EndPaint(dialog, &paint);
}

}  // namespace

BOOL helpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_PAINT:
            paintChart(dialog);
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                EndDialog(dialog, 0);
                return FALSE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        case WM_LBUTTONDOWN:
            EndDialog(dialog, 1);
            return FALSE;
        default:
            return FALSE;
    }
}

void runHelpScreen(HWND owner, const HelpContext& context) {
    const HelpContext* previous = current;
    current = &context;
    DialogBox(context.instance, kHelpDialog, owner, helpDialogProc);
    current = previous;
}
