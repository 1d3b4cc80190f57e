#include "platform/windows/invalidation.h"

#include <cassert>

#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

Window* needingPaintIn(Window* window) {
    if (!window->visible) {
        return nullptr;
    }
    if (!isEmpty(window->update)) {
        return window;
    }
    for (Window* child : window->children) {
        if (Window* found = needingPaintIn(child)) {
            return found;
        }
    }
    return nullptr;
}

void paintNow(Window* window) {
    if (isShown(window) && !isEmpty(window->update)) {
        SendMessage(window, WM_PAINT, 0, 0);
        // A procedure that ignores WM_PAINT must not be asked again and again.
        if (isLive(window)) {
            window->update = {};
            window->erase = false;
        }
    }
    if (!isLive(window)) {
        return;
    }
    for (Window* child : std::vector<Window*>(window->children)) {
        if (isLive(child)) {
            paintNow(child);
        }
    }
}

}  // namespace

void invalidateArea(Window* window, RECT rect, bool erase) {
    if (!isShown(window)) {
        return;
    }
    rect = intersect(rect, RECT{0, 0, window->clientWidth(), window->clientHeight()});
    if (isEmpty(rect)) {
        return;
    }
    window->update = unite(window->update, rect);
    window->erase = window->erase || erase;
    // The window paints (and erases) its whole update rectangle, over the
    // children there, which therefore paint again after it.
    for (Window* child : window->children) {
        const RECT covered = intersect(window->update, child->rect);
        if (child->visible && !isEmpty(covered)) {
            invalidateArea(child, offsetRect(covered, -child->rect.left, -child->rect.top), erase);
        }
    }
}

void forgetUpdates(Window* window) {
    window->update = {};
    window->erase = false;
    for (Window* child : window->children) {
        forgetUpdates(child);
    }
}

Window* windowNeedingPaint() {
    for (Window* top : topLevelWindows()) {
        if (Window* found = needingPaintIn(top)) {
            return found;
        }
    }
    return nullptr;
}

void drawNonClient(Window* window) {
    if (window->data != nullptr && isShown(window)) {
        window->data->drawNonClient(*window);
    }
}

}  // namespace platform

using platform::Window;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!platform::isLive(hwnd)) {
        return FALSE;
    }
    platform::invalidateArea(hwnd, rect ? *rect : RECT{0, 0, hwnd->clientWidth(), hwnd->clientHeight()},
                             erase != FALSE);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    if (!platform::isLive(hwnd)) {
        return FALSE;
    }
    platform::paintNow(hwnd);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
    assert(erase == FALSE);
    (void)erase;
    if (!platform::isLive(hwnd)) {
        return FALSE;
    }
    if (rect != nullptr) {
        *rect = platform::isEmpty(hwnd->update) ? RECT{} : hwnd->update;
    }
    return platform::isEmpty(hwnd->update) ? FALSE : TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    if (!platform::isLive(hwnd) || paint == nullptr) {
        return nullptr;
    }
    const POINT origin = platform::clientOriginOnSurface(hwnd);
    const RECT update = hwnd->update;
    const RECT clip = platform::intersect(platform::visibleClientOnSurface(hwnd),
                                          platform::offsetRect(update, origin.x, origin.y));
    Window* top = platform::topLevelOf(hwnd);
    HDC hdc = platform::createSurfaceDC(top->surface, origin, &clip);
    if (hwnd->erase && hwnd->windowClass->background != nullptr) {
        FillRect(hdc, &update, hwnd->windowClass->background);
    }
    paint->hdc = hdc;
    paint->fErase = FALSE;
    paint->rcPaint = update;
    hwnd->update = {};
    hwnd->erase = false;
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (paint == nullptr || paint->hdc == nullptr) {
        return FALSE;
    }
    DeleteDC(paint->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) {
    assert(hwnd != nullptr);
    if (!platform::isLive(hwnd)) {
        return nullptr;
    }
    const RECT clip = platform::visibleClientOnSurface(hwnd);
    return platform::createSurfaceDC(platform::topLevelOf(hwnd)->surface,
                                     platform::clientOriginOnSurface(hwnd), &clip);
}

int ReleaseDC(HWND, HDC hdc) {
    return hdc != nullptr && DeleteDC(hdc) ? 1 : 0;
}
