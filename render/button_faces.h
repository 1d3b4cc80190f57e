// The faces of the main window's owner-drawn buttons: bitmaps chosen by the
// settings and the pressed state, the numbered palette swatches, the status
// panel with the three counters, and the pattern's name.
#pragma once

#include <cstdint>

#include "core/settings.h"
#include "platform/base/handles.h"
#include "platform/base/types.h"
#include "platform/controls/button.h"

class Pattern;

// What the faces show, as the game holds it at the moment of drawing.
struct FaceContext {
    HINSTANCE instance = nullptr;
    const Pattern* pattern = nullptr;
    const Settings* settings = nullptr;
    TapTool tapMode = TapTool::Zoom;
    bool chooserOpen = false;
    HFONT smallFont = nullptr;
    HPEN whiteThickPen = nullptr;
    HPEN blackThickPen = nullptr;
    HPEN blackPen = nullptr;
    HBRUSH backgroundBrush = nullptr;
};

enum class BitmapFit { Stretch, Fit };

// Draws the face of the control named by the record's ID; nothing for an ID
// without a face.
void drawButtonFace(const DRAWITEMSTRUCT& item, const FaceContext& context);

// Loads bitmap resource `id` and stretches it over the item.
void drawBitmapButton(const DRAWITEMSTRUCT& item, const FaceContext& context, int id);

// Draws the whole bitmap into the rectangle: stretched, or fitted with its
// aspect kept and centred on the background. The caller keeps the bitmap;
// `bitmap` may be null.
void drawBitmapInRect(HDC hdc, const RECT& rect, HBITMAP bitmap, BitmapFit mode, HBRUSH background);

void drawPaletteButton(const DRAWITEMSTRUCT& item, const FaceContext& context, int colour);
void drawStatusPanel(const DRAWITEMSTRUCT& item, const FaceContext& context);
void drawPatternName(const DRAWITEMSTRUCT& item, const FaceContext& context);
