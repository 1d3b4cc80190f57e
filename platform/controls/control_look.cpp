#include "platform/controls/control_look.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "platform/base/backend.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/text_renderer.h"

namespace platform {

namespace {

// Platform-owned fonts, one per size and weight; stock, so the game's leak
// counts do not see them.
HFONT platformFont(int points, int weight) {
    static std::map<std::pair<int, int>, std::unique_ptr<FontObject>> fonts;
    const int height = -(points * backend().dotsPerInch()) / 72;
    auto& slot = fonts[{height, weight}];
    if (!slot) {
        slot = std::make_unique<FontObject>(FontObject{height, weight, u"Tahoma", true});
    }
    return slot.get();
}

}  // namespace

HFONT controlFont() {
    return platformFont(8, FW_NORMAL);
}

HFONT captionFont() {
    return platformFont(9, FW_BOLD);
}

int textWidth(HFONT font, std::u16string_view text) {
    // Drawn opaque, a line fills exactly its advance width with the
    // background colour: count that run on a one-pixel-high strip.
    constexpr int kStrip = 8192;
    static BitmapObject strip{Surface(kStrip, 1), {}, nullptr, true};
    std::ranges::fill(strip.surface.pixels(), Pixel{0});
    HDC hdc = CreateCompatibleDC(nullptr);
    SelectObject(hdc, &strip);
    SelectObject(hdc, font);
    SetBkMode(hdc, OPAQUE);
    SetBkColor(hdc, RGB(255, 255, 255));
    SetTextColor(hdc, RGB(255, 255, 255));
    RECT box{0, 0, kStrip, 1};
    const std::u16string copy(text);
    DrawText(hdc, copy.c_str(), static_cast<int>(copy.size()), &box, DT_LEFT);
    DeleteDC(hdc);
    const auto pixels = strip.surface.pixels();
    return static_cast<int>(std::ranges::find(pixels, Pixel{0}) - pixels.begin());
}

void fillArea(HDC hdc, const RECT& rect, COLORREF colour) {
    BrushObject brush{colour, false, true};
    FillRect(hdc, &rect, &brush);
}

void frameArea(HDC hdc, const RECT& r, COLORREF colour, int thickness) {
    fillArea(hdc, {r.left, r.top, r.right, r.top + thickness}, colour);
    fillArea(hdc, {r.left, r.bottom - thickness, r.right, r.bottom}, colour);
    fillArea(hdc, {r.left, r.top, r.left + thickness, r.bottom}, colour);
    fillArea(hdc, {r.right - thickness, r.top, r.right, r.bottom}, colour);
}

void drawLabel(HDC hdc, std::u16string_view text, RECT box, HFONT font, COLORREF colour, bool centred) {
    HFONT previousFont = SelectObject(hdc, font);
    const COLORREF previousColour = SetTextColor(hdc, colour);
    const int previousMode = SetBkMode(hdc, TRANSPARENT);
    const std::u16string copy(text);
    DrawText(hdc, copy.c_str(), static_cast<int>(copy.size()), &box,
             DT_SINGLELINE | DT_VCENTER | (centred ? DT_CENTER : DT_LEFT));
    SetBkMode(hdc, previousMode);
    SetTextColor(hdc, previousColour);
    SelectObject(hdc, previousFont);
}

void fillTriangle(HDC hdc, POINT a, POINT b, POINT c, COLORREF colour) {
    BrushObject brush{colour, false, true};
    PenObject pen{PS_SOLID, 0, colour, true};
    HBRUSH previousBrush = SelectObject(hdc, &brush);
    HPEN previousPen = SelectObject(hdc, &pen);
    const POINT points[] = {a, b, c};
    Polygon(hdc, points, 3);
    SelectObject(hdc, previousBrush);
    SelectObject(hdc, previousPen);
}

}  // namespace platform
