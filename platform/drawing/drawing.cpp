#include "platform/drawing/drawing.h"

#include <cassert>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/pixels/blit.h"
#include "platform/pixels/rasterizer.h"

namespace {

using platform::Pixel;

bool brushPaints(HBRUSH brush) {
    return brush != nullptr && !brush->hollow;
}

bool penDraws(HPEN pen) {
    return pen != nullptr && !pen->hollow;
}

}  // namespace

HBITMAP platform::createBitmapFilledWith(int width, int height, HBRUSH brush) {
    return createFilledBitmap(width, height, brushPaints(brush) ? pixelFromColour(brush->colour) : 0);
}

void platform::limitDrawingTo(HDC hdc, const RECT* rect) {
    if (hdc != nullptr) {
        hdc->limitTo(rect);
    }
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    if (hdc == nullptr || rect == nullptr || brush == nullptr) {
        return 0;
    }
    if (brushPaints(brush)) {
        platform::fillBox(hdc->canvas(), rect->left, rect->top, rect->right, rect->bottom,
                          platform::pixelFromColour(brush->colour));
    }
    return 1;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    if (hdc == nullptr) {
        return FALSE;
    }
    if (right <= left || bottom <= top) {
        return TRUE;
    }
    const platform::Canvas canvas = hdc->canvas();
    if (brushPaints(hdc->brush())) {
        platform::fillBox(canvas, left, top, right, bottom, platform::pixelFromColour(hdc->brush()->colour));
    }
    const POINT corners[4] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    const HPEN pen = hdc->pen();
    if (!penDraws(pen)) {
        return TRUE;
    }
    platform::strokePolyline(canvas, corners, 4, true, pen->width, platform::pixelFromColour(pen->colour));
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    if (hdc == nullptr) {
        return FALSE;
    }
    const Pixel fill = brushPaints(hdc->brush()) ? platform::pixelFromColour(hdc->brush()->colour) : 0;
    const Pixel pen = platform::pixelFromColour(hdc->pen()->colour);
    platform::drawEllipse(hdc->canvas(), left, top, right, bottom,
                          brushPaints(hdc->brush()) ? &fill : nullptr, penDraws(hdc->pen()) ? &pen : nullptr,
                          hdc->pen()->width);
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    if (hdc == nullptr || points == nullptr || count < 2) {
        return FALSE;
    }
    const Pixel fill = brushPaints(hdc->brush()) ? platform::pixelFromColour(hdc->brush()->colour) : 0;
    const HPEN pen = hdc->pen();
    const Pixel line = platform::pixelFromColour(pen->colour);
    platform::drawPolygon(hdc->canvas(), points, count, brushPaints(hdc->brush()) ? &fill : nullptr,
                          pen->width, penDraws(pen) ? &line : nullptr);
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    if (hdc == nullptr || points == nullptr || count < 2) {
        return FALSE;
    }
    const HPEN pen = hdc->pen();
    if (!penDraws(pen)) {
        return TRUE;
    }
    platform::strokePolyline(hdc->canvas(), points, count, false, pen->width,
                             platform::pixelFromColour(pen->colour));
    return TRUE;
}

BOOL BitBlt(HDC hdc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
    assert(rop == SRCCOPY);
    if (hdc == nullptr || source == nullptr || rop != SRCCOPY) {
        return FALSE;
    }
    POINT origin;
    const platform::Surface* from = source->sourceSurface(origin);
    platform::copyBlock(hdc->canvas(), x, y, width, height, *from, std::int64_t{sourceX} + origin.x,
                        std::int64_t{sourceY} + origin.y);
    return TRUE;
}

BOOL StretchBlt(HDC hdc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop) {
    assert(rop == SRCCOPY);
    if (hdc == nullptr || source == nullptr || rop != SRCCOPY) {
        return FALSE;
    }
    POINT origin;
    const platform::Surface* from = source->sourceSurface(origin);
    std::int64_t scale = 1;
    if (source->isMemory()) {
        int chosen = 1;
        from = &platform::chooseVariant(*source->bitmap(), sourceWidth, sourceHeight, width, height, chosen);
        scale = chosen;
    }
    platform::stretchBlock(
        hdc->canvas(), x, y, width, height, *from, (sourceX + std::int64_t{origin.x}) * scale,
        (sourceY + std::int64_t{origin.y}) * scale, sourceWidth * scale, sourceHeight * scale);
    return TRUE;
}
