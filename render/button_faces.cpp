#include "render/button_faces.h"

#include <cstdio>

#include "core/control_ids.h"
#include "core/settings.h"
#include "pattern/pattern.h"
#include "platform/base/text.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/resource_images.h"
#include "platform/drawing/text_renderer.h"
#include "platform/system/resources.h"
#include "resources/vellumar_ids.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

bool pressed(const DRAWITEMSTRUCT& item) {
    return (item.itemState & ODS_SELECTED) != 0;
}

// Bitmaps of the faces that follow the pressed state: normal, pressed.
int pressedOr(const DRAWITEMSTRUCT& item, int normal) {
    return pressed(item) ? normal + 1 : normal;
}

// A number as the game prints it, "%d".
void drawNumber(HDC hdc, int value, RECT box, UINT format) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%d", value);
    WCHAR text[16];
    for (int i = 0; i <= length; ++i) {
        text[i] = static_cast<WCHAR>(digits[i]);
    }
    DrawText(hdc, text, length, &box, format);
}

// The bitmap of the faces that show a setting; a value out of range shows the first.
int settingFace(int first, std::uint32_t value, std::uint32_t largest) {
    return first + static_cast<int>(value <= largest ? value : 0);
}

}  // namespace

void drawBitmapInRect(HDC hdc, const RECT& rect, HBITMAP bitmap, BitmapFit mode, HBRUSH background) {
    const int W = rect.right - rect.left;
    const int H = rect.bottom - rect.top;
    int x = rect.left, y = rect.top, dw = W, dh = H;
    if (mode == BitmapFit::Fit) {
        FillRect(hdc, &rect, background);
    }
    if (bitmap == nullptr) {
        return;
    }
    BITMAP size{};
    GetObject(bitmap, sizeof size, &size);
    if (mode == BitmapFit::Fit) {
        const float ratio = static_cast<float>(size.bmHeight) / static_cast<float>(size.bmWidth);
        if (static_cast<float>(W) * ratio > static_cast<float>(H)) {
            dh = H;
            dw = static_cast<int>(static_cast<float>(H) / ratio);
        } else {
            dw = W;
            dh = static_cast<int>(static_cast<float>(W) * ratio);
        }
        x = rect.left + (W - dw) / 2;
        y = rect.top + (H - dh) / 2;
    }
    const HDC memory = CreateCompatibleDC(hdc);
    const HBITMAP old = SelectObject(memory, bitmap);
    StretchBlt(hdc, x, y, dw, dh, memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void drawBitmapButton(const DRAWITEMSTRUCT& item, const FaceContext& context, int id) {
    const platform::OwnedBitmap face(LoadBitmap(context.instance, id));
    drawBitmapInRect(item.hDC, item.rcItem, face.get(), BitmapFit::Stretch, context.backgroundBrush);
}

void drawPaletteButton(const DRAWITEMSTRUCT& item, const FaceContext& context, int colour) {
    const Pattern* p = context.pattern;
    const HDC hdc = item.hDC;
    const RECT& r = item.rcItem;
    const bool freeMode = inPaintingMode(*context.settings, PaintingMode::Free);
    if (p == nullptr || colour >= p->colourCount || (p->piecesLeftPerColour[colour] == 0 && !freeMode)) {
        FillRect(hdc, &r, context.backgroundBrush);
        return;
    }
    FillRect(hdc, &r, p->colourBrush[colour]);
    // Dark colours get white marks, light ones black; 128 counts as light.
    const bool dark = p->colourLuma[colour] < 128;
    HPEN frame = context.blackPen;
    if (context.tapMode == TapTool::Paint && colour == p->selectedColour) {
        frame = dark ? context.whiteThickPen : context.blackThickPen;
    }
    const HPEN oldPen = SelectObject(hdc, frame);
    const HBRUSH oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Rectangle(hdc, r.left, r.top, r.right, r.bottom);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);

    SetTextColor(hdc, dark ? kWhite : kBlack);
    const HFONT oldFont = SelectObject(hdc, context.smallFont);
    SetBkMode(hdc, TRANSPARENT);
    drawNumber(hdc, colour + 1, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(hdc, oldFont);
}

void drawStatusPanel(const DRAWITEMSTRUCT& item, const FaceContext& context) {
    drawBitmapButton(item, context, IDB_STATUS_PANEL);
    const HDC hdc = item.hDC;
    const RECT& r = item.rcItem;
    const int W = r.right - r.left;
    const HFONT oldFont = SelectObject(hdc, context.smallFont);
    SetBkMode(hdc, TRANSPARENT);
    // Without a pattern the cells stay blank.
    if (const Pattern* p = context.pattern) {
        const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        SetTextColor(hdc, kWhite);
        drawNumber(hdc, p->piecesLeft, {r.left, r.top, r.left + static_cast<int>(0.37 * W), r.bottom},
                   centred);
        drawNumber(hdc, p->coloursLeft,
                   {r.left + static_cast<int>(0.4 * W), r.top, r.left + static_cast<int>(0.68 * W), r.bottom},
                   centred);
        SetTextColor(hdc, kRed);
        drawNumber(hdc, p->missCount, {r.left + static_cast<int>(0.717 * W), r.top, r.right, r.bottom},
                   centred);
    }
    SelectObject(hdc, oldFont);
}

void drawPatternName(const DRAWITEMSTRUCT& item, const FaceContext& context) {
    drawBitmapButton(item, context, IDB_PATTERN_NAME);
    const HDC hdc = item.hDC;
    const RECT& r = item.rcItem;
    const HFONT oldFont = SelectObject(hdc, context.smallFont);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, kWhite);
    RECT box{r.left + static_cast<int>(0.05 * (r.right - r.left)), r.top, r.right, r.bottom};
    const WCHAR* name = context.settings->CurrentPatternShort;
    DrawText(hdc, name, static_cast<int>(platform::boundedLength(name, MAX_PATH)), &box,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(hdc, oldFont);
}

void drawButtonFace(const DRAWITEMSTRUCT& item, const FaceContext& context) {
    const int id = static_cast<int>(item.CtlID);
    const Settings& s = *context.settings;
    if (id >= IDC_PALETTE_FIRST && id <= IDC_PALETTE_LAST) {
        drawPaletteButton(item, context, id - IDC_PALETTE_FIRST);
        return;
    }
    switch (id) {
        case IDC_BANNER:
            return drawBitmapButton(item, context, IDB_BANNER);
        case IDC_ZOOM_IN:
            return drawBitmapButton(item, context, pressedOr(item, IDB_ZOOM_IN));
        case IDC_ZOOM_OUT:
            return drawBitmapButton(item, context, pressedOr(item, IDB_ZOOM_OUT));
        case IDC_SOUND:
            return drawBitmapButton(item, context, s.Sound != 0 ? IDB_SOUND_ON : IDB_SOUND_OFF);
        case IDC_TIMER:
            return drawBitmapButton(item, context, s.Clock != 0 ? IDB_CLOCK_SHOWN : IDB_CLOCK_HIDDEN);
        case IDC_RESTART:
            return drawBitmapButton(item, context, pressedOr(item, IDB_RESTART));
        case IDC_PAUSE:
            return drawBitmapButton(item, context, s.paused != 0 ? IDB_PAUSED : IDB_RUNNING);
        case IDC_COMPLETE:
            return drawBitmapButton(item, context, pressedOr(item, IDB_COMPLETE));
        case IDC_HELP:
            return drawBitmapButton(item, context, pressedOr(item, IDB_HELP));
        case IDC_LEVEL_0:
        case IDC_LEVEL_1:
        case IDC_LEVEL_2:
            return drawBitmapButton(item, context,
                                    s.Level == static_cast<std::uint32_t>(id - IDC_LEVEL_0)
                                        ? IDB_LEVEL_CURRENT
                                        : IDB_LEVEL_OTHER);
        case IDC_STATUS:
            return drawStatusPanel(item, context);
        case IDC_PATTERN_NAME:
            return drawPatternName(item, context);
        case IDC_RESET:
            return drawBitmapButton(item, context, pressedOr(item, IDB_RESET));
        case IDC_CLOSE:
            return drawBitmapButton(item, context, pressedOr(item, IDB_CLOSE));
        case IDC_OPEN:
            if (!context.chooserOpen) {
                drawBitmapButton(item, context, pressed(item) ? IDB_OPEN_HELD : IDB_OPEN);
            }
            return;
        case IDC_COLOR_SCHEME:
            return drawBitmapButton(item, context, settingFace(IDB_SCHEME_0, s.ColorScheme, 3));
        case IDC_PAINTING_MODE:
            return drawBitmapButton(item, context,
                                    settingFace(IDB_MODE_NORMAL, s.PaintingMode, kPaintingModeCount - 1));
        default:
            return;
    }
}
