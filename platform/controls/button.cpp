#include "platform/controls/button.h"

#include <cassert>
#include <memory>

#include "platform/controls/control_look.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

struct ButtonData final : WindowData {
    bool tracking = false;  // the pointer went down on it and has not been released
    bool pressed = false;   // ... and is inside it
};

void setPressed(HWND hwnd, ButtonData& data, bool pressed) {
    if (data.pressed != pressed) {
        data.pressed = pressed;
        // The face follows the stylus at once, as the hand expects.
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
}

bool inside(HWND hwnd, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    return x >= 0 && y >= 0 && x < hwnd->clientWidth() && y < hwnd->clientHeight();
}

void paintOwnerDrawn(HWND hwnd, const ButtonData& data, HDC hdc) {
    DRAWITEMSTRUCT item;
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(hwnd->id);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (data.pressed ? ODS_SELECTED : 0u) | (hwnd->enabled ? 0u : ODS_DISABLED) |
                     (GetFocus() == hwnd ? ODS_FOCUS : 0u);
    item.hwndItem = hwnd;
    item.hDC = hdc;
    item.rcItem = {0, 0, hwnd->clientWidth(), hwnd->clientHeight()};
    SendMessage(hwnd->parent, WM_DRAWITEM, static_cast<WPARAM>(hwnd->id), reinterpret_cast<LPARAM>(&item));
}

void paintText(HWND hwnd, const ButtonData& data, HDC hdc) {
    const RECT box{0, 0, hwnd->clientWidth(), hwnd->clientHeight()};
    fillArea(hdc, box, data.pressed ? kPressedColour : kFaceColour);
    const bool isDefault = (hwnd->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    frameArea(hdc, box, kFrameColour, isDefault ? 2 : 1);
    drawLabel(hdc, hwnd->text, box, controlFont(), hwnd->enabled ? kTextColour : kDisabledTextColour, true);
}

}  // namespace

LRESULT buttonProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = windowData<ButtonData>(hwnd);
    switch (message) {
        case WM_CREATE: {
            [[maybe_unused]] const DWORD type = hwnd->style & BS_TYPEMASK;
            assert(type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW);
            assert((hwnd->style & 0xFFF0u) == 0);
            hwnd->data = std::make_unique<ButtonData>();
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            if ((hwnd->style & BS_TYPEMASK) == BS_OWNERDRAW) {
                paintOwnerDrawn(hwnd, *data, ps.hdc);
            } else {
                paintText(hwnd, *data, ps.hdc);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            data->tracking = true;
            setCapture(hwnd);
            SetFocus(hwnd);
            setPressed(hwnd, *data, true);
            return 0;
        case WM_MOUSEMOVE:
            if (data->tracking) {
                setPressed(hwnd, *data, inside(hwnd, lParam));
            }
            return 0;
        case WM_LBUTTONUP: {
            if (!data->tracking) {
                return 0;
            }
            const bool clicked = inside(hwnd, lParam);
            data->tracking = false;
            releaseCapture();
            setPressed(hwnd, *data, false);
            if (clicked && isLive(hwnd)) {
                SendMessage(hwnd->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hwnd->id), BN_CLICKED),
                            reinterpret_cast<LPARAM>(hwnd));
            }
            return 0;
        }
        case WM_CANCELMODE:
            data->tracking = false;
            setPressed(hwnd, *data, false);
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace platform
