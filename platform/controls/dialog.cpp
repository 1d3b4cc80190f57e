#include "platform/controls/dialog.h"

#include <algorithm>
#include <cassert>
#include <memory>

#include "platform/controls/control_look.h"
#include "platform/controls/modal_loop.h"
#include "platform/controls/resource_templates.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/text_renderer.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

int lineHeightOf(HFONT font) {
    const int height = fontLineHeight(font);
    return height > 0 ? height : 12;
}

struct DialogData final : WindowData {
    DLGPROC procedure = nullptr;
    int titleBarButton = IDOK;
    bool ended = false;
    int result = 0;
    bool buttonTracking = false;
    bool buttonPressed = false;

    RECT buttonRect(const Window& w) const {
        const int margin = std::max(2, w.captionHeight / 8);
        const int pad = lineHeightOf(captionFont()) / 2;
        const int width = textWidth(captionFont(), label()) + 2 * pad;
        return {w.width() - margin - width, margin, w.width() - margin, w.captionHeight - margin};
    }

    std::u16string_view label() const { return titleBarButton == IDCANCEL ? u"Cancel" : u"OK"; }

    void drawNonClient(Window& w) override {
        if (w.captionHeight == 0) {
            return;
        }
        const RECT strip{0, 0, w.width(), w.captionHeight};
        HDC hdc = createSurfaceDC(w.surface, {0, 0}, &strip);
        fillArea(hdc, strip, kTitleBarColour);
        const RECT button = buttonRect(w);
        const int pad = lineHeightOf(captionFont()) / 2;
        drawLabel(hdc, w.text, {pad, 0, button.left - pad, w.captionHeight}, captionFont(), kTitleTextColour,
                  false);
        fillArea(hdc, button, buttonPressed ? kTitleTextColour : kTitleBarColour);
        frameArea(hdc, button, kTitleTextColour);
        drawLabel(hdc, label(), button, captionFont(), buttonPressed ? kTitleBarColour : kTitleTextColour,
                  true);
        DeleteDC(hdc);
    }
};

bool onTitleButton(HWND hwnd, const DialogData& d, LPARAM lParam) {
    const POINT local{GET_X_LPARAM(lParam) - hwnd->rect.left, GET_Y_LPARAM(lParam) - hwnd->rect.top};
    return contains(d.buttonRect(*hwnd), local);
}

void setButtonPressed(HWND hwnd, DialogData& d, bool pressed) {
    if (d.buttonPressed != pressed) {
        d.buttonPressed = pressed;
        drawNonClient(hwnd);
    }
}

// The title bar's button works like a push button, outside the client area.
bool handleTitleBar(HWND hwnd, DialogData& d, UINT message, LPARAM lParam) {
    switch (message) {
        case WM_NCLBUTTONDOWN:
            if (onTitleButton(hwnd, d, lParam)) {
                d.buttonTracking = true;
                setCapture(hwnd, true);
                setButtonPressed(hwnd, d, true);
            }
            return true;
        case WM_NCMOUSEMOVE:
            if (d.buttonTracking) {
                setButtonPressed(hwnd, d, onTitleButton(hwnd, d, lParam));
            }
            return true;
        case WM_NCLBUTTONUP:
            if (d.buttonTracking) {
                d.buttonTracking = false;
                releaseCapture();
                const bool clicked = onTitleButton(hwnd, d, lParam);
                setButtonPressed(hwnd, d, false);
                if (clicked) {
                    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(d.titleBarButton), BN_CLICKED),
                                0);
                }
            }
            return true;
        case WM_CANCELMODE:
            d.buttonTracking = false;
            setButtonPressed(hwnd, d, false);
            return false;
        default:
            return false;
    }
}

HWND firstTabStop(HWND dialog) {
    for (Window* child : dialog->children) {
        if ((child->style & WS_TABSTOP) != 0 && child->visible && child->enabled) {
            return child;
        }
    }
    return nullptr;
}

void createControls(HWND dialog, const DialogTemplate& dialogTemplate, HINSTANCE instance) {
    HFONT font = controlFont();
    static const std::u16string sample = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int averageWidth = std::max(1, (textWidth(font, sample) + 26) / 52);
    const int lineHeight = lineHeightOf(font);
    for (const DialogItem& item : dialogTemplate.items) {
        assert((item.style & WS_CHILD) != 0);
        CreateWindow(item.className.c_str(), item.text.c_str(), item.style | WS_CHILD,
                     item.x * averageWidth / 4, item.y * lineHeight / 8, item.cx * averageWidth / 4,
                     item.cy * lineHeight / 8, dialog, item.id, instance);
    }
}

}  // namespace

LRESULT dialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = windowData<DialogData>(hwnd);
    if (d == nullptr) {
        return message == WM_PAINT ? DefWindowProc(hwnd, message, wParam, lParam) : 0;
    }
    if (handleTitleBar(hwnd, *d, message, lParam) && message != WM_CANCELMODE) {
        return 0;
    }
    const BOOL handled = d->procedure ? d->procedure(hwnd, message, wParam, lParam) : FALSE;
    if (message == WM_INITDIALOG || handled) {
        return handled;
    }
    switch (message) {
        case WM_PAINT:
            return DefWindowProc(hwnd, message, wParam, lParam);
        case WM_CLOSE:
            SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), BN_CLICKED), 0);
            return 0;
        default:
            return 0;
    }
}

}  // namespace platform

int DialogBoxIndirect(HINSTANCE instance, const platform::DialogTemplate* dialogTemplate, HWND owner,
                      DLGPROC procedure) {
    assert(dialogTemplate != nullptr);
    assert(dialogTemplate->titleBarButton == IDOK || dialogTemplate->titleBarButton == IDCANCEL ||
           dialogTemplate->titleBarButton == 0);
    if (owner != nullptr && !platform::isLive(owner)) {
        return -1;
    }
    HWND previousFocus = GetFocus();
    HWND dialog = CreateWindow(u"#32770", dialogTemplate->title.c_str(), WS_POPUP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, 0, instance);
    if (dialog == nullptr) {
        return -1;
    }
    dialog->owner = owner;
    const int captionLine = platform::lineHeightOf(platform::captionFont());
    dialog->captionHeight =
        dialogTemplate->titleBarButton != 0 ? captionLine + 2 * std::max(3, captionLine / 3) : 0;
    auto data = std::make_unique<platform::DialogData>();
    data->procedure = procedure;
    data->titleBarButton = dialogTemplate->titleBarButton;
    platform::DialogData* d = data.get();
    dialog->data = std::move(data);

    platform::createControls(dialog, *dialogTemplate, instance);
    HWND first = platform::firstTabStop(dialog);
    if (SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) != FALSE && first != nullptr &&
        platform::isLive(first)) {
        SetFocus(first);
    }
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        EnableWindow(owner, FALSE);
    }
    ShowWindow(dialog, SW_SHOW);

    const bool finished = platform::runModalLoop(dialog, [d] { return d->ended; });
    const int result = finished && platform::isLive(dialog) && d->ended ? d->result : IDCANCEL;

    if (ownerWasEnabled && platform::isLive(owner)) {
        EnableWindow(owner, TRUE);
    }
    DestroyWindow(dialog);
    if (platform::isLive(previousFocus)) {
        SetFocus(previousFocus);
    }
    return result;
}

int DialogBox(HINSTANCE instance, int id, HWND owner, DLGPROC procedure) {
    const platform::DialogTemplate* dialog = platform::dialogResource(instance, id);
    return dialog == nullptr ? -1 : DialogBoxIndirect(instance, dialog, owner, procedure);
}

BOOL EndDialog(HWND dialog, int result) {
    auto* d = platform::windowData<platform::DialogData>(platform::isLive(dialog) ? dialog : nullptr);
    if (d == nullptr) {
        return FALSE;
    }
    d->ended = true;
    d->result = result;
    // Wakes the modal loop, which may be waiting for input when the dialog is
    // ended from outside its own messages.
    PostMessage(dialog, WM_NULL, 0, 0);
    return TRUE;
}
