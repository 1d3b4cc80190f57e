// Windows: classes with their procedures, the tree of top-level windows and
// their child controls, and their position, visibility, enabled state and
// keyboard focus.
//
// Top-level windows lie on the screen in stacking order, the newest on top;
// CW_USEDEFAULT makes one cover the whole screen. A child lies in its parent's
// client area, at coordinates relative to it, and is identified by its id.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;

inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;  // owned by the class from now on; erases the windows' backgrounds
    const WCHAR* lpszMenuName = nullptr;
    const WCHAR* lpszClassName = nullptr;
};

// Answers 0 when the name is taken (names compare without regard to letter case).
ATOM RegisterClass(const WNDCLASS* windowClass);

// `childId` names a child (WS_CHILD, `parent` given); a top-level window has
// none. WM_CREATE reaches the procedure before the call returns; answering -1
// to it destroys the window and the call answers nullptr.
HWND CreateWindow(const WCHAR* className, const WCHAR* title, DWORD style, int x, int y, int width,
                  int height, HWND parent, int childId, HINSTANCE instance);

// Sends WM_DESTROY to the window, then destroys its children and the windows
// it owns the same way. Its timers and queued messages go with it. What a
// visible window covered is invalidated (and erased) in the windows beneath.
BOOL DestroyWindow(HWND hwnd);

// WM_CLOSE destroys the window; WM_PAINT validates it (erasing the background
// if asked); WM_MOUSEWHEEL goes on to the parent; everything else answers 0.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// SW_SHOW, SW_SHOWNORMAL or SW_HIDE; answers whether the window was visible.
// Hiding invalidates (and erases) what the window covered beneath it.
BOOL ShowWindow(HWND hwnd, int command);
// Answers whether the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
// A child's position is in its parent's client coordinates, a top-level
// window's on the screen.
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);

BOOL IsWindow(HWND hwnd);
// The window's text: a top-level window's title, which the desktop shows.
BOOL SetWindowText(HWND hwnd, const WCHAR* text);
// Visible when it and all its ancestors are.
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);

HWND GetDlgItem(HWND parent, int childId);
HWND GetParent(HWND hwnd);
// The client area: (0, 0) to its width and height.
BOOL GetClientRect(HWND hwnd, RECT* rect);
// A screen point as the window's client coordinates (the wheel's point arrives on the screen).
BOOL ScreenToClient(HWND hwnd, POINT* point);

// Answers the window that had the focus. Key presses go to the focused window.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

// The topmost top-level window of this class (and, when `title` is given, this title).
HWND FindWindow(const WCHAR* className, const WCHAR* title);
// Raises the window to the top. A handle with its lowest bit set raises the
// windows it owns above it as well.
BOOL SetForegroundWindow(HWND hwnd);
