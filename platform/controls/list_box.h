// List boxes (class "Listbox"): a column of text entries with at most one
// selected. With LBS_SORT each new entry takes its place in alphabetical order
// regardless of letter case; with LBS_NOTIFY a selection made by the user (a
// tap, the Up and Down keys) is reported to the parent as WM_COMMAND
// (id, LBN_SELCHANGE). A selection set by LB_SETCURSEL is not reported.
// Entries that do not fit scroll under the stylus (drag the list up or down)
// and with the wheel, never past the last entry. With the focus, Up, Down,
// Page Up, Page Down, Home and End move the selection.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;

inline constexpr UINT LB_ADDSTRING = 0x0180;  // lParam: the text; answers its index
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETCURSEL = 0x0186;   // wParam: index, or -1 for none
inline constexpr UINT LB_GETCURSEL = 0x0188;   // answers the index or LB_ERR
inline constexpr UINT LB_GETTEXT = 0x0189;     // wParam: index, lParam: buffer; answers the length
inline constexpr UINT LB_GETTEXTLEN = 0x018A;  // wParam: index
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;  // wParam: search after this index (-1: from the start)

inline constexpr LRESULT LB_ERR = -1;
inline constexpr WORD LBN_SELCHANGE = 1;

namespace platform {

LRESULT listBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
