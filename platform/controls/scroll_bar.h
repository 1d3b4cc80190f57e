// Scroll bars (class "Scrollbar", SBS_HORZ or SBS_VERT): two arrows and a
// track with a thumb. The bar only reports; its parent moves the position.
// WM_HSCROLL or WM_VSCROLL goes to the parent with the bar's window as the
// long parameter and the code in the low word of the word parameter: an arrow
// gives SB_LINEUP or SB_LINEDOWN, the track on either side of the thumb
// SB_PAGEUP or SB_PAGEDOWN; a dragged thumb gives SB_THUMBTRACK at every new
// position and SB_THUMBPOSITION where it is let go; every press ends with
// SB_ENDSCROLL when the pointer is lifted.
//
// The thumb's position travels in the high word, an unsigned 16-bit number.
// It is given as the distance from the range's minimum (position - nMin), so
// a range that reaches below 0 still fits: for a range -extent/2 ... extent/2
// the word runs 0 ... extent, and the handler subtracts extent/2.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

inline constexpr DWORD SBS_HORZ = 0x0000;
inline constexpr DWORD SBS_VERT = 0x0001;

inline constexpr int SB_CTL = 2;

inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_ENDSCROLL = 8;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;  // read only: where a dragged thumb is
};

// For a scroll-bar control (`bar` SB_CTL). Sets the parts named by fMask;
// the position is kept within nMin ... nMax - (nPage - 1). Answers the
// position. With `redraw` the bar repaints; without, it shows the change at
// its next paint.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);

namespace platform {

LRESULT scrollBarProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
