// Messages: the words a window procedure receives, the record a queued
// message travels in, and the packing helpers the game uses to read their
// parameters. The numbers are the platform's own, so a parameter packed by the
// game reads back the same everywhere.
#pragma once

#include <cstdint>

#include "platform/base/handles.h"
#include "platform/base/types.h"

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using ATOM = WORD;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_SETTINGCHANGE = 0x001A;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_DRAWITEM = 0x002B;
inline constexpr UINT WM_GETICON = 0x007F;
inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_NCMOUSEMOVE = 0x00A0;
inline constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr UINT WM_NCLBUTTONUP = 0x00A2;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
// The wheel turned over a window: the high word of the word parameter is the
// signed turn, WHEEL_DELTA a notch, positive away from the user; the long
// parameter is the pointer's screen position. A window that does not use it
// leaves it to DefWindowProc, which hands it to the parent.
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr int WHEEL_DELTA = 120;
// Files dropped on a window that accepts them (platform/windows/dropped_files.h): the
// word parameter is the HDROP to read their paths from and to finish.
inline constexpr UINT WM_DROPFILES = 0x0233;
// The first message number left to a program for its own messages.
inline constexpr UINT WM_APP = 0x8000;

// The word parameter of WM_SETTINGCHANGE when the screen has turned or changed size.
inline constexpr WPARAM SETTINGCHANGE_RESET = 0x3002;

// The word parameter of mouse messages: the buttons held.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// Virtual-key codes of WM_KEYDOWN; letters and digits are their capital ASCII codes.
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;  // Page Up
inline constexpr UINT VK_NEXT = 0x22;   // Page Down
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_ADD = 0x6B;  // the keypad's
inline constexpr UINT VK_SUBTRACT = 0x6D;
inline constexpr UINT VK_F11 = 0x7A;
inline constexpr UINT VK_OEM_PLUS = 0xBB;  // the main keyboard's = and + key
inline constexpr UINT VK_OEM_MINUS = 0xBD;

// Notification codes carried in the high word of WM_COMMAND.
inline constexpr WORD BN_CLICKED = 0;

namespace platform {

// Modifier keys held when a key was pressed; the accelerators read them.
enum KeyModifier : BYTE { MODIFIER_NONE = 0, MODIFIER_SHIFT = 1, MODIFIER_CONTROL = 2, MODIFIER_ALT = 4 };

}  // namespace platform

struct MSG {
    HWND hwnd = nullptr;
    UINT message = WM_NULL;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;                            // tick count when the message was queued
    BYTE modifiers = platform::MODIFIER_NONE;  // for key messages: the modifier keys held
};

constexpr WORD LOWORD(std::uintmax_t value) {
    return static_cast<WORD>(value & 0xFFFFu);
}
constexpr WORD HIWORD(std::uintmax_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFFu);
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM value) {
    return static_cast<std::int16_t>(HIWORD(value));
}
// Signed coordinates of a mouse message, which may be negative while the mouse is captured.
constexpr int GET_X_LPARAM(LPARAM value) {
    return static_cast<std::int16_t>(LOWORD(static_cast<std::uintmax_t>(value)));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
    return static_cast<std::int16_t>(HIWORD(static_cast<std::uintmax_t>(value)));
}
