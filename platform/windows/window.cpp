#include "platform/windows/window.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>

#include "platform/base/backend.h"
#include "platform/base/text.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

struct ClassNameLess {
    bool operator()(const std::u16string& a, const std::u16string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](WCHAR x, WCHAR y) { return foldCase(x) < foldCase(y); });
    }
};

struct WindowSystem {
    std::map<std::u16string, std::unique_ptr<WindowClass>, ClassNameLess> classes;
    bool builtInsRegistered = false;
    void (*registerBuiltIns)() = nullptr;
    std::unordered_map<Window*, std::unique_ptr<Window>> windows;
    std::vector<Window*> topLevels;  // bottom first
    Window* focus = nullptr;
    Window* capture = nullptr;
    bool captureNonClient = false;
};

void deleteClassBrush(WindowClass& windowClass);

WindowSystem& system() {
    // Classes own their background brushes until the program ends.
    static struct OwnedWindowSystem : WindowSystem {
        ~OwnedWindowSystem() {
            for (auto& [name, windowClass] : classes) {
                deleteClassBrush(*windowClass);
            }
        }
    } instance;
    return instance;
}

// The controls register their classes from above, through the hook a backend
// sets at start-up, so these windows never name them.
void ensureBuiltInClasses() {
    if (!system().builtInsRegistered && system().registerBuiltIns != nullptr) {
        system().builtInsRegistered = true;
        system().registerBuiltIns();
    }
}

WindowClass* findClass(const WCHAR* name) {
    ensureBuiltInClasses();
    const auto it = system().classes.find(name);
    return it == system().classes.end() ? nullptr : it->second.get();
}

void deleteClassBrush(WindowClass& windowClass) {
    if (windowClass.background != nullptr) {
        DeleteObject(windowClass.background);
    }
}

// A top-level window leaves the screen: the windows beneath it repaint what
// it uncovers, as they would on a screen that keeps no picture of its own.
void invalidateBeneath(Window* top) {
    for (Window* below : system().topLevels) {
        if (below == top) {
            return;
        }
        if (below->visible && !below->destroying) {
            const POINT origin = clientOriginOnScreen(below);
            invalidateArea(below, offsetRect(top->rect, -origin.x, -origin.y), true);
        }
    }
}

void destroyTree(Window* window) {
    WindowSystem& s = system();
    window->destroying = true;
    // Owned windows first: a dialog must not outlive the window it belongs to.
    for (Window* other : std::vector<Window*>(s.topLevels)) {
        if (other->owner == window && !other->destroying) {
            destroyTree(other);
        }
    }
    if (window->parent != nullptr && window->visible) {
        invalidateArea(window->parent, window->rect, true);
    } else if (window->parent == nullptr && window->visible) {
        invalidateBeneath(window);
    }
    if (s.capture != nullptr && isDescendantOf(s.capture, window)) {
        cancelCapture();
    }
    if (window->windowClass->procedure != nullptr) {
        window->windowClass->procedure(window, WM_DESTROY, 0, 0);
    }
    for (Window* child : std::vector<Window*>(window->children)) {
        destroyTree(child);
    }
    killTimersOf(window);
    forgetMessagesFor(window);
    if (s.focus == window) {
        s.focus = nullptr;
    }
    if (window->parent != nullptr) {
        std::erase(window->parent->children, window);
    } else {
        std::erase(s.topLevels, window);
    }
    s.windows.erase(window);
}

}  // namespace

bool isShown(Window* window) {
    if (!isLive(window)) {
        return false;
    }
    for (const Window* w = window; w != nullptr; w = w->parent) {
        if (!w->visible) {
            return false;
        }
    }
    return true;
}

bool isLive(HWND hwnd) {
    return hwnd != nullptr && system().windows.contains(hwnd);
}

Window* topLevelOf(Window* window) {
    while (window->parent != nullptr) {
        window = window->parent;
    }
    return window;
}

bool isDescendantOf(Window* window, Window* ancestor) {
    for (; window != nullptr; window = window->parent) {
        if (window == ancestor) {
            return true;
        }
    }
    return false;
}

const std::vector<Window*>& topLevelWindows() {
    return system().topLevels;
}

Window* activeWindow() {
    const auto& tops = system().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if ((*it)->visible && (*it)->enabled) {
            return *it;
        }
    }
    return nullptr;
}

POINT clientOriginOnSurface(const Window* window) {
    if (window->parent == nullptr) {
        return {0, window->captionHeight};
    }
    const POINT parentOrigin = clientOriginOnSurface(window->parent);
    return {parentOrigin.x + window->rect.left, parentOrigin.y + window->rect.top + window->captionHeight};
}

POINT clientOriginOnScreen(const Window* window) {
    const POINT onSurface = clientOriginOnSurface(window);
    const Window* top = window;
    while (top->parent != nullptr) {
        top = top->parent;
    }
    return {top->rect.left + onSurface.x, top->rect.top + onSurface.y};
}

RECT visibleClientOnSurface(const Window* window) {
    RECT area{0, 0, -1, -1};
    bool first = true;
    for (const Window* w = window; w != nullptr; w = w->parent) {
        if (!w->visible) {
            return {};
        }
        const POINT origin = clientOriginOnSurface(w);
        const RECT client{origin.x, origin.y, origin.x + w->clientWidth(), origin.y + w->clientHeight()};
        area = first ? client : intersect(area, client);
        first = false;
    }
    return isEmpty(area) ? RECT{} : area;
}

Window* windowAtScreenPoint(POINT point) {
    const auto& tops = system().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* top = *it;
        if (!top->visible || !contains(top->rect, point)) {
            continue;
        }
        Window* hit = top;
        // Later children lie above earlier ones.
        for (bool descended = true; descended;) {
            descended = false;
            const POINT origin = clientOriginOnScreen(hit);
            const POINT local{point.x - origin.x, point.y - origin.y};
            for (auto c = hit->children.rbegin(); c != hit->children.rend(); ++c) {
                if ((*c)->visible && (*c)->enabled && contains((*c)->rect, local)) {
                    hit = *c;
                    descended = true;
                    break;
                }
            }
        }
        return hit;
    }
    return nullptr;
}

void setCapture(HWND hwnd, bool nonClient) {
    system().capture = hwnd;
    system().captureNonClient = nonClient;
}

void releaseCapture() {
    system().capture = nullptr;
    system().captureNonClient = false;
}

void cancelCapture() {
    Window* had = system().capture;
    releaseCapture();
    if (had != nullptr && !had->destroying) {
        SendMessage(had, WM_CANCELMODE, 0, 0);
    }
}

HWND captureWindow() {
    return system().capture;
}

bool captureIsNonClient() {
    return system().captureNonClient;
}

void destroyWindowsAndClasses() {
    WindowSystem& s = system();
    while (!s.topLevels.empty()) {
        DestroyWindow(s.topLevels.back());
    }
    for (auto& [name, windowClass] : s.classes) {
        deleteClassBrush(*windowClass);
    }
    s.classes.clear();
    s.builtInsRegistered = false;
    s.focus = nullptr;
    s.capture = nullptr;
}

void setBuiltInClassRegistrar(void (*registrar)()) {
    system().registerBuiltIns = registrar;
}

void registerBuiltInClass(const char16_t* name, WNDPROC procedure, HBRUSH background) {
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->name = name;
    windowClass->procedure = procedure;
    windowClass->background = background;
    system().classes[name] = std::move(windowClass);
}

RECT intersect(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

RECT unite(const RECT& a, const RECT& b) {
    if (isEmpty(a)) {
        return b;
    }
    if (isEmpty(b)) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

bool isEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

RECT offsetRect(const RECT& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace platform

using platform::Window;

ATOM RegisterClass(const WNDCLASS* windowClass) {
    assert(windowClass != nullptr && windowClass->lpszClassName != nullptr);
    assert(windowClass->style == 0 && windowClass->cbClsExtra == 0 && windowClass->cbWndExtra == 0);
    assert(windowClass->lpszMenuName == nullptr);
    if (platform::findClass(windowClass->lpszClassName) != nullptr || windowClass->lpfnWndProc == nullptr) {
        return 0;
    }
    auto entry = std::make_unique<platform::WindowClass>();
    entry->name = windowClass->lpszClassName;
    entry->procedure = windowClass->lpfnWndProc;
    entry->background = windowClass->hbrBackground;
    entry->cursor = windowClass->hCursor;
    entry->instance = windowClass->hInstance;
    auto& classes = platform::system().classes;
    classes[entry->name] = std::move(entry);
    // Atoms only need to be non-zero and distinct.
    return static_cast<ATOM>(0xC000 + classes.size());
}

HWND CreateWindow(const WCHAR* className, const WCHAR* title, DWORD style, int x, int y, int width,
                  int height, HWND parent, int childId, HINSTANCE) {
    [[maybe_unused]] constexpr DWORD known = WS_POPUP | WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_CAPTION |
                                             WS_BORDER | WS_SYSMENU | WS_VSCROLL | WS_TABSTOP | 0xFFFF;
    assert((style & ~known) == 0);
    assert(((style & WS_CHILD) != 0) == (parent != nullptr));
    assert(childId == 0 || (style & WS_CHILD) != 0);
    const platform::WindowClass* windowClass = className ? platform::findClass(className) : nullptr;
    if (windowClass == nullptr || (parent != nullptr && !platform::isLive(parent))) {
        return nullptr;
    }
    auto owned = std::make_unique<Window>();
    Window* window = owned.get();
    window->windowClass = windowClass;
    window->parent = parent;
    window->id = childId;
    window->style = style;
    window->text = title ? title : u"";
    window->enabled = (style & WS_DISABLED) == 0;
    if (x == CW_USEDEFAULT || y == CW_USEDEFAULT || width == CW_USEDEFAULT || height == CW_USEDEFAULT) {
        assert(parent == nullptr);
        const platform::ScreenSize screen = platform::backend().screenSize();
        window->rect = {0, 0, screen.width, screen.height};
    } else {
        window->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    }
    if (parent == nullptr) {
        window->surface = platform::Surface(window->width(), window->height());
    }
    auto& s = platform::system();
    s.windows.emplace(window, std::move(owned));
    if (parent != nullptr) {
        parent->children.push_back(window);
    } else {
        s.topLevels.push_back(window);
    }
    if (windowClass->procedure(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (platform::isLive(window) && (style & WS_VISIBLE) != 0) {
        ShowWindow(window, SW_SHOW);
    }
    return platform::isLive(window) ? window : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    if (!platform::isLive(hwnd) || hwnd->destroying) {
        return FALSE;
    }
    platform::destroyTree(hwnd);
    return TRUE;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEWHEEL:
            return hwnd->parent != nullptr ? SendMessage(hwnd->parent, message, wParam, lParam) : 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            return 0;
    }
}

BOOL ShowWindow(HWND hwnd, int command) {
    assert(command == SW_HIDE || command == SW_SHOW || command == SW_SHOWNORMAL);
    if (!platform::isLive(hwnd)) {
        return FALSE;
    }
    const bool was = hwnd->visible;
    const bool show = command != SW_HIDE;
    if (was == show) {
        return was ? TRUE : FALSE;
    }
    if (!show) {
        if (platform::captureWindow() != nullptr &&
            platform::isDescendantOf(platform::captureWindow(), hwnd)) {
            platform::cancelCapture();
        }
        if (hwnd->parent != nullptr) {
            platform::invalidateArea(hwnd->parent, hwnd->rect, true);
        } else {
            platform::invalidateBeneath(hwnd);
        }
        hwnd->visible = false;
        platform::forgetUpdates(hwnd);
    } else {
        hwnd->visible = true;
        InvalidateRect(hwnd, nullptr, TRUE);
        platform::drawNonClient(hwnd);
    }
    return was ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    if (!platform::isLive(hwnd)) {
        return FALSE;
    }
    const bool wasDisabled = !hwnd->enabled;
    if (hwnd->enabled != (enable != FALSE)) {
        hwnd->enabled = enable != FALSE;
        if (!hwnd->enabled && platform::captureWindow() != nullptr &&
            platform::isDescendantOf(platform::captureWindow(), hwnd)) {
            platform::cancelCapture();
        }
        // Controls draw their disabled state; a top-level window looks the same either way.
        if (hwnd->parent != nullptr) {
            InvalidateRect(hwnd, nullptr, FALSE);
        }
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    if (!platform::isLive(hwnd)) {
        return FALSE;
    }
    const RECT old = hwnd->rect;
    const RECT next{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    if (hwnd->parent == nullptr) {
        hwnd->rect = next;
        if (old.right - old.left != next.right - next.left ||
            old.bottom - old.top != next.bottom - next.top) {
            hwnd->surface = platform::Surface(hwnd->width(), hwnd->height());
            platform::forgetUpdates(hwnd);
            InvalidateRect(hwnd, nullptr, TRUE);
            platform::drawNonClient(hwnd);
        }
        return TRUE;
    }
    if (repaint && hwnd->visible) {
        platform::invalidateArea(hwnd->parent, old, true);
    }
    hwnd->rect = next;
    if (repaint) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return platform::isLive(hwnd) ? TRUE : FALSE;
}

BOOL SetWindowText(HWND hwnd, const WCHAR* text) {
    if (!platform::isLive(hwnd)) {
        return FALSE;
    }
    hwnd->text = text ? text : u"";
    return TRUE;
}

BOOL IsWindowVisible(HWND hwnd) {
    return platform::isShown(hwnd) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    return platform::isLive(hwnd) && hwnd->enabled ? TRUE : FALSE;
}

HWND GetDlgItem(HWND parent, int childId) {
    if (!platform::isLive(parent)) {
        return nullptr;
    }
    for (Window* child : parent->children) {
        if (child->id == childId) {
            return child;
        }
    }
    return nullptr;
}

HWND GetParent(HWND hwnd) {
    return platform::isLive(hwnd) ? hwnd->parent : nullptr;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    if (!platform::isLive(hwnd) || rect == nullptr) {
        return FALSE;
    }
    *rect = {0, 0, hwnd->clientWidth(), hwnd->clientHeight()};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    if (!platform::isLive(hwnd) || point == nullptr) {
        return FALSE;
    }
    const POINT origin = platform::clientOriginOnScreen(hwnd);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

HWND SetFocus(HWND hwnd) {
    auto& s = platform::system();
    Window* previous = s.focus;
    if (hwnd == nullptr || platform::isLive(hwnd)) {
        s.focus = hwnd;
    }
    return previous;
}

HWND GetFocus() {
    return platform::system().focus;
}

HWND FindWindow(const WCHAR* className, const WCHAR* title) {
    const auto& tops = platform::system().topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* w = *it;
        const bool classMatches =
            className == nullptr || platform::equalsIgnoringCase(w->windowClass->name, className);
        const bool titleMatches = title == nullptr || w->text == title;
        if (classMatches && titleMatches) {
            return w;
        }
    }
    return nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
    const auto bits = reinterpret_cast<std::uintptr_t>(hwnd);
    const bool withOwned = (bits & 1u) != 0;
    Window* window = reinterpret_cast<Window*>(bits & ~std::uintptr_t{1});
    if (!platform::isLive(window) || window->parent != nullptr) {
        return FALSE;
    }
    auto& tops = platform::system().topLevels;
    std::vector<Window*> raised{window};
    if (withOwned) {
        for (Window* w : tops) {
            if (w->owner == window) {
                raised.push_back(w);
            }
        }
    }
    std::erase_if(tops, [&](Window* w) { return std::ranges::find(raised, w) != raised.end(); });
    tops.insert(tops.end(), raised.begin(), raised.end());
    return TRUE;
}
