// Invalidation and painting. Each window collects an update rectangle, the
// union of everything invalidated since it was last painted; WM_PAINT comes
// for it only when the message queue is otherwise empty (or at once through
// UpdateWindow). Invalidating a window invalidates the children under its
// update rectangle too, which then paint after it (and so over it).
// BeginPaint hands out a device context that draws onto the window's part of
// its top-level window's surface, clipped to the update rectangle, and
// validates the window.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/types.h"

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;  // always FALSE: BeginPaint has already erased when asked to
    RECT rcPaint{};
};

// `rect` in client coordinates, nullptr for the whole client area. With
// `erase`, the next BeginPaint first fills the update rectangle with the
// window class's background brush.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
// Paints the window now, and then its children, where they need it.
BOOL UpdateWindow(HWND hwnd);
// The update rectangle in client coordinates; answers whether it is not empty.
// The game never asks for the background to be erased here.
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// A device context on the window's whole visible client area, outside the
// paint cycle. Give it back with ReleaseDC.
HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);

namespace platform {

struct Window;

// Adds `rect` (client coordinates) to the update rectangles of the window and
// of the children under it.
void invalidateArea(Window* window, RECT rect, bool erase);
// Clears the update rectangles of the window and its descendants.
void forgetUpdates(Window* window);
// The first window, bottom to top and parents before children, that is
// visible and needs painting; nullptr when none does.
Window* windowNeedingPaint();
void drawNonClient(Window* window);

}  // namespace platform
