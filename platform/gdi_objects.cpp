#include "platform/gdi_objects.h"

#include <cassert>

namespace platform {
namespace {
int liveObjects = 0;
}
int liveDrawingObjects() {
    return liveObjects;
}
}  // namespace platform

HBRUSH CreateSolidBrush(COLORREF colour) {
    ++platform::liveObjects;
    return new platform::BrushObject{colour};
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    assert(style == PS_SOLID);
    ++platform::liveObjects;
    return new platform::PenObject{style, width, colour};
}

BOOL DeleteObject(HBRUSH brush) {
    if (brush == nullptr) {
        return FALSE;
    }
    --platform::liveObjects;
    delete brush;
    return TRUE;
}

BOOL DeleteObject(HPEN pen) {
    if (pen == nullptr) {
        return FALSE;
    }
    --platform::liveObjects;
    delete pen;
    return TRUE;
}
