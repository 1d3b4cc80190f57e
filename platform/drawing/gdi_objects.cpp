#include "platform/drawing/gdi_objects.h"

#include <cassert>

namespace platform {
namespace {
int liveObjects = 0;
BrushObject whiteBrush{RGB(255, 255, 255), false, true};
BrushObject nullBrush{0, true, true};
PenObject blackPen{PS_SOLID, 1, RGB(0, 0, 0), true};
}  // namespace

int liveDrawingObjects() {
    return liveObjects;
}
HBRUSH defaultBrush() {
    return &whiteBrush;
}
HPEN defaultPen() {
    return &blackPen;
}

namespace detail {
void countCreated() {
    ++liveObjects;
}
void countDeleted() {
    --liveObjects;
}
}  // namespace detail

}  // namespace platform

HBRUSH CreateSolidBrush(COLORREF colour) {
    platform::detail::countCreated();
    return new platform::BrushObject{colour};
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    assert(style == PS_SOLID);
    platform::detail::countCreated();
    return new platform::PenObject{style, width, colour};
}

HBRUSH GetStockObject(StockBrush which) {
    assert(which == NULL_BRUSH);
    (void)which;
    return &platform::nullBrush;
}

BOOL DeleteObject(HBRUSH brush) {
    if (brush == nullptr) {
        return FALSE;
    }
    if (brush->stock) {
        return TRUE;
    }
    if (brush->selections > 0) {
        return FALSE;
    }
    platform::detail::countDeleted();
    delete brush;
    return TRUE;
}

BOOL DeleteObject(HPEN pen) {
    if (pen == nullptr) {
        return FALSE;
    }
    if (pen->stock) {
        return TRUE;
    }
    if (pen->selections > 0) {
        return FALSE;
    }
    platform::detail::countDeleted();
    delete pen;
    return TRUE;
}
