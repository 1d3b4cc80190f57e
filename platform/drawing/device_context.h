// Device contexts: where drawing goes and with what. A device context holds
// one selected pen, brush, font and (for a memory context) bitmap, the text
// colour, the background colour and the background mode.
//
// Two kinds exist. A memory context (CreateCompatibleDC) draws into the bitmap
// selected into it; it starts with a 1 x 1 bitmap. A surface context
// (platform::createSurfaceDC) draws onto a surface it does not own, such as a
// window's, through an origin and a clip; it is how the window layer hands out
// device contexts for painting. Both are deleted with DeleteDC, which releases
// whatever is selected.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/types.h"
#include "platform/pixels/rasterizer.h"
#include "platform/pixels/surface.h"

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

namespace platform {

class DeviceContext {
  public:
    // A memory context.
    DeviceContext();
    // A context drawing onto `target`: coordinate (0, 0) is the surface's
    // pixel `origin`, and nothing outside `clip` (surface coordinates) changes.
    DeviceContext(Surface& target, POINT origin, RECT clip);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // What the drawing calls draw on; empty when there is nothing to draw on.
    Canvas canvas() const;
    // The pixels copies are read from, with the offset of coordinate (0, 0) in them.
    const Surface* sourceSurface(POINT& origin) const;

    bool isMemory() const { return target_ == nullptr; }

    // Narrows what the drawing calls may change to `limit` (in this context's
    // coordinates) within the clip, or widens it again to all with nullptr.
    void limitTo(const RECT* limit);

    HBRUSH brush() const { return brush_; }
    HPEN pen() const { return pen_; }
    HFONT font() const { return font_; }
    HBITMAP bitmap() const { return bitmap_; }

    // Each answers the object it replaces; nullptr (and no change) when the
    // object cannot be selected here.
    HBRUSH select(HBRUSH brush);
    HPEN select(HPEN pen);
    HFONT select(HFONT font);
    HBITMAP select(HBITMAP bitmap);

    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backgroundColour = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;

  private:
    Canvas unlimitedCanvas() const;

    Surface* target_ = nullptr;
    POINT origin_;
    RECT clip_;
    bool limited_ = false;
    RECT limit_{};          // when limited_
    Canvas limitedCanvas_;  // the canvas limited to it
    HBRUSH brush_;
    HPEN pen_;
    HFONT font_;
    HBITMAP bitmap_ = nullptr;
};

// A context drawing onto `target` (see DeviceContext); `clip` defaults to the
// whole surface. The caller keeps the surface alive until DeleteDC.
HDC createSurfaceDC(Surface& target, POINT origin = {}, const RECT* clip = nullptr);

}  // namespace platform

// A memory context; `hdc` only stands for the screen and may be nullptr.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);

HBRUSH SelectObject(HDC hdc, HBRUSH brush);
HPEN SelectObject(HDC hdc, HPEN pen);
HFONT SelectObject(HDC hdc, HFONT font);
// Only into a memory context, and only a bitmap not selected into another one.
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap);

// Each answers the previous value.
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
int SetBkMode(HDC hdc, int mode);  // TRANSPARENT or OPAQUE

// LOGPIXELSX or LOGPIXELSY: the dots per inch of the screen, from the backend.
int GetDeviceCaps(HDC hdc, int index);
