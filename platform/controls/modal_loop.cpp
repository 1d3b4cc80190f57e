#include "platform/controls/modal_loop.h"

#include "platform/base/message_box_answers.h"
#include "platform/base/text.h"
#include "platform/controls/button.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

HWND defaultButton(HWND window) {
    for (Window* child : window->children) {
        if ((child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && IsWindowVisible(child) && child->enabled &&
            equalsIgnoringCase(child->windowClass->name, u"Button")) {
            return child;
        }
    }
    return nullptr;
}

bool handleDialogKey(HWND window, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !isLive(msg.hwnd) || !isDescendantOf(msg.hwnd, window)) {
        return false;
    }
    if (msg.wParam == VK_RETURN) {
        HWND button = defaultButton(window);
        const int id = button ? button->id : IDOK;
        SendMessage(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                    reinterpret_cast<LPARAM>(button));
        return true;
    }
    if (msg.wParam == VK_ESCAPE) {
        SendMessage(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), BN_CLICKED), 0);
        return true;
    }
    return false;
}

}  // namespace

bool runModalLoop(HWND window, const std::function<bool()>& done) {
    while (isLive(window) && !done()) {
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (handleDialogKey(window, msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return true;
}

}  // namespace platform
