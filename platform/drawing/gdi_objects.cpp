#include "platform/drawing/gdi_objects.h"

#include <cassert>

namespace platform {
namespace {
int liveObjects = 0;
BrushObject whiteBrush{RGB(255, 255, 255), false, true};
BrushObject nullBrush{0, true, true};
PenObject blackPen{PS_SOLID, 1, RGB(0, 0, 0), true};
PenObject nullPen{PS_SOLID, 0, 0, true, 0, true};
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

HPEN GetStockObject(StockPen which) {
    assert(which == NULL_PEN);
    (void)which;
    return &platform::nullPen;
}

BOOL DeleteObject(HBRUSH brush) {
    return platform::detail::deleteDrawingObject(brush, [](const auto& o) { return o.selections > 0; });
}

BOOL DeleteObject(HPEN pen) {
    return platform::detail::deleteDrawingObject(pen, [](const auto& o) { return o.selections > 0; });
}
