#include "platform/sdl/desktop_window.h"

#include "platform/windows/window_object.h"

namespace platform {

HWND findMainWindow() {
    for (Window* top : topLevelWindows()) {
        // The platform's own classes (dialogs, message boxes) are named from '#'.
        const bool platformMade = !top->windowClass->name.empty() && top->windowClass->name.front() == u'#';
        if (isLive(top) && !top->destroying && top->owner == nullptr && !platformMade) {
            return top;
        }
    }
    return nullptr;
}

}  // namespace platform
