// Drawing objects: solid brushes and pens. They are created by the game,
// selected into device contexts for drawing, and deleted by whoever made them.
#pragma once

#include "platform/handles.h"
#include "platform/types.h"

inline constexpr int PS_SOLID = 0;

namespace platform {

struct BrushObject {
    COLORREF colour = 0;
};

struct PenObject {
    int style = PS_SOLID;
    int width = 0;  // 0 draws one pixel wide
    COLORREF colour = 0;
};

// Brushes and pens not yet deleted; tests use it to find leaks.
int liveDrawingObjects();

}  // namespace platform

HBRUSH CreateSolidBrush(COLORREF colour);
HPEN CreatePen(int style, int width, COLORREF colour);
BOOL DeleteObject(HBRUSH brush);
BOOL DeleteObject(HPEN pen);
