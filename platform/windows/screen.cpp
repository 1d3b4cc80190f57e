#include "platform/windows/screen.h"

#include <algorithm>
#include <vector>

#include "platform/base/backend.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

RECT screenRect() {
    const ScreenSize size = backend().screenSize();
    return {0, 0, size.width, size.height};
}

Surface composeScreen() {
    const RECT screen = screenRect();
    Surface out(screen.right, screen.bottom);
    for (const Window* top : topLevelWindows()) {
        if (!top->visible) {
            continue;
        }
        const RECT area = intersect(top->rect, screen);
        for (int y = area.top; y < area.bottom; ++y) {
            const Pixel* from = top->surface.row(y - top->rect.top) + (area.left - top->rect.left);
            std::copy(from, from + (area.right - area.left), out.row(y) + area.left);
        }
    }
    return out;
}

void screenSizeChanged(RECT previous) {
    const RECT screen = screenRect();
    const std::vector<Window*> tops = topLevelWindows();
    for (Window* top : tops) {
        if (!isLive(top)) {
            continue;
        }
        if (top->rect == previous) {
            MoveWindow(top, 0, 0, screen.right, screen.bottom, TRUE);
        } else {
            const int x = (screen.right - top->width()) / 2;
            const int y = (screen.bottom - top->height()) / 2;
            MoveWindow(top, x, y, top->width(), top->height(), TRUE);
        }
    }
    for (Window* top : tops) {
        SendMessage(top, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
    }
}

}  // namespace platform
