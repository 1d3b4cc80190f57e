// The platform's own view of a window: the record behind an HWND and the
// helpers the window, painting, input and control files share. Game code
// uses platform/windows/window.h instead.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"
#include "platform/pixels/surface.h"

namespace platform {

struct WindowClass {
    std::u16string name;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;  // owned unless it is a stock brush
    HCURSOR cursor = nullptr;
    HINSTANCE instance = nullptr;
};

// What a control or a dialog keeps beside the window.
struct Window;
struct WindowData {
    virtual ~WindowData() = default;
    // Draws what lies outside the client area (a dialog's title bar).
    virtual void drawNonClient(Window&) {}
};

struct Window {
    const WindowClass* windowClass = nullptr;
    Window* parent = nullptr;
    Window* owner = nullptr;
    std::vector<Window*> children;  // in creation order
    int id = 0;
    DWORD style = 0;
    std::u16string text;
    RECT rect{};            // a child's in its parent's client area, a top-level window's on the screen
    int captionHeight = 0;  // a strip above the client area that the platform draws (dialogs)
    bool visible = false;
    bool enabled = true;
    bool destroying = false;
    bool acceptsFiles = false;  // DragAcceptFiles

    RECT update{};  // client coordinates; empty when nothing needs painting
    bool erase = false;

    Surface surface;  // top-level windows: their pixels, caption included
    std::unique_ptr<WindowData> data;

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    int clientWidth() const { return width(); }
    int clientHeight() const { return height() - captionHeight; }
};

template <class Data>
Data* windowData(HWND hwnd) {
    return hwnd ? dynamic_cast<Data*>(hwnd->data.get()) : nullptr;
}

// Is this a window that exists (created and not yet destroyed)?
bool isLive(HWND hwnd);
// Live, and it and all its ancestors visible (IsWindowVisible).
bool isShown(Window* window);
Window* topLevelOf(Window* window);
bool isDescendantOf(Window* window, Window* ancestor);

// Top-level windows, bottom first.
const std::vector<Window*>& topLevelWindows();
// The topmost visible and enabled top-level window: where keys go without a focus.
Window* activeWindow();

// Where the window's client area begins on its top-level window's surface, and on the screen.
POINT clientOriginOnSurface(const Window* window);
POINT clientOriginOnScreen(const Window* window);
// The part of the surface the client area may draw on: inside its own and
// every ancestor's client area; empty when the window is not visible.
RECT visibleClientOnSurface(const Window* window);

// The window under a screen point that takes input: the topmost visible
// top-level window there, then its visible, enabled child there. Answers the
// top-level window even when it is disabled; the caller decides.
Window* windowAtScreenPoint(POINT point);

// The window that gets all pointer input while a control is held.
void setCapture(HWND hwnd, bool nonClient = false);
void releaseCapture();
// Takes the capture away from its holder (hidden, disabled, destroyed),
// which is told with WM_CANCELMODE so that it lets go of what it held.
void cancelCapture();
HWND captureWindow();
bool captureIsNonClient();

// Destroys every window and forgets every class, the built-in ones included
// (they are registered again when next looked for). resetWindows
// (platform/windows/message_loop.h) does this and empties the queue and the
// timers as well.
void destroyWindowsAndClasses();

// Registers a class the platform provides (the controls, dialogs, message boxes).
void registerBuiltInClass(const char16_t* name, WNDPROC procedure, HBRUSH background = nullptr);
// The call that registers them all, made the first time a class is looked
// for; the controls sit above the windows, so a backend sets it at start-up
// (platform/controls/built_in_classes.h). Without it only the program's own
// classes exist.
void setBuiltInClassRegistrar(void (*registrar)());

RECT intersect(const RECT& a, const RECT& b);
RECT unite(const RECT& a, const RECT& b);
bool isEmpty(const RECT& r);
bool contains(const RECT& r, POINT p);
RECT offsetRect(const RECT& r, int dx, int dy);

}  // namespace platform
