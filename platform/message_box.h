// Modal message boxes: an OK notice or a Yes/No question.
#pragma once

#include "platform/handles.h"
#include "platform/types.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONWARNING = 0x00000030;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows `text` under `caption` and waits for the answer. `owner` may be null.
int MessageBox(HWND owner, const WCHAR* text, const WCHAR* caption, UINT type);
