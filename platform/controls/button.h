// Push buttons. An owner-drawn button (BS_OWNERDRAW) asks its parent to draw
// its face with WM_DRAWITEM, ODS_SELECTED set while it is held down with the
// pointer inside it; a text push button draws its caption itself, and the
// default one (BS_DEFPUSHBUTTON) answers Enter in a dialog. Releasing the
// pointer inside sends WM_COMMAND (id, BN_CLICKED) to the parent.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_OWNERDRAW = 0x000B;
inline constexpr DWORD BS_TYPEMASK = 0x000F;

inline constexpr UINT ODT_BUTTON = 4;
inline constexpr UINT ODA_DRAWENTIRE = 0x0001;
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem{};  // the button's client area, where hDC draws
    std::uintptr_t itemData = 0;
};

namespace platform {

LRESULT buttonProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
