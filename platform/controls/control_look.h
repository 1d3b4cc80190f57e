// How the platform's own controls look: their fonts, sized for the screen's
// dots per inch so text stays readable at every screen size, the few colours
// they use, and small drawing helpers over the device-context calls.
#pragma once

#include <string_view>

#include "platform/base/handles.h"
#include "platform/base/types.h"

namespace platform {

// 8-point text and the 9-point bold of title bars, at the screen's resolution.
HFONT controlFont();
HFONT captionFont();

// The advance width of one line of text in `font`, in pixels.
int textWidth(HFONT font, std::u16string_view text);

inline constexpr COLORREF kFaceColour = RGB(212, 208, 200);
inline constexpr COLORREF kPressedColour = RGB(150, 146, 140);
inline constexpr COLORREF kFrameColour = RGB(0, 0, 0);
inline constexpr COLORREF kTextColour = RGB(0, 0, 0);
inline constexpr COLORREF kDisabledTextColour = RGB(128, 128, 128);
inline constexpr COLORREF kWindowColour = RGB(255, 255, 255);
inline constexpr COLORREF kHighlightColour = RGB(10, 36, 106);
inline constexpr COLORREF kHighlightTextColour = RGB(255, 255, 255);
inline constexpr COLORREF kTitleBarColour = RGB(10, 36, 106);
inline constexpr COLORREF kTitleTextColour = RGB(255, 255, 255);

void fillArea(HDC hdc, const RECT& rect, COLORREF colour);
// A frame `thickness` pixels wide just inside the rectangle.
void frameArea(HDC hdc, const RECT& rect, COLORREF colour, int thickness = 1);
// One line of text in the box, transparent background.
void drawLabel(HDC hdc, std::u16string_view text, RECT box, HFONT font, COLORREF colour, bool centred);
// A filled triangle through three points.
void fillTriangle(HDC hdc, POINT a, POINT b, POINT c, COLORREF colour);

}  // namespace platform
