// Text drawn into a box: one line, grey-scale anti-aliased through FreeType,
// blended in the device context's text colour. In OPAQUE mode the text's own
// cell (its advance width by the font's ascent plus descent) is first filled
// with the background colour; in TRANSPARENT mode the background is left as
// it was. The text is clipped to the box.
//
// Layout: the line is the sum of the glyphs' hinted advances wide, without
// kerning, and ascent + descent high. DT_CENTER puts its left edge at
// left + (box width - line width) / 2, DT_LEFT at left; with DT_SINGLELINE,
// DT_VCENTER puts its top at top + (box height - line height) / 2, otherwise
// it starts at the box's top. Divisions truncate toward zero.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/types.h"

inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_NOCLIP = 0x0100;  // the text may run past its box

// `count` characters of `text`, or up to its terminator when count is -1.
// Answers the line height (with DT_VCENTER, the distance from the box's top
// to the line's bottom), or 0 when nothing could be drawn: no context, no box,
// or a font whose face could not be found.
int DrawText(HDC hdc, const WCHAR* text, int count, RECT* rect, UINT format);

namespace platform {

// The line height of a font in pixels, ascent plus descent; 0 when its face cannot be opened.
int fontLineHeight(HFONT font);

}  // namespace platform
