#include "platform/drawing/device_context.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <utility>

#include "platform/base/backend.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"

namespace platform {

namespace {

template <class Object>
Object* swapSelection(Object*& slot, Object* next) {
    Object* previous = slot;
    --previous->selections;
    ++next->selections;
    slot = next;
    return previous;
}

}  // namespace

DeviceContext::DeviceContext()
    : origin_{},
      clip_{},
      brush_(defaultBrush()),
      pen_(defaultPen()),
      font_(defaultFont()),
      bitmap_(defaultBitmap()) {
    ++brush_->selections;
    ++pen_->selections;
    ++font_->selections;
}

DeviceContext::DeviceContext(Surface& target, POINT origin, RECT clip)
    : target_(&target),
      origin_(origin),
      clip_(clip),
      brush_(defaultBrush()),
      pen_(defaultPen()),
      font_(defaultFont()) {
    ++brush_->selections;
    ++pen_->selections;
    ++font_->selections;
}

DeviceContext::~DeviceContext() {
    --brush_->selections;
    --pen_->selections;
    --font_->selections;
    if (bitmap_ != nullptr && bitmap_->selectedInto == this) {
        bitmap_->selectedInto = nullptr;
    }
}

Canvas DeviceContext::canvas() const {
    return limited_ ? limitedCanvas_ : unlimitedCanvas();
}

Canvas DeviceContext::unlimitedCanvas() const {
    if (isMemory()) {
        return wholeSurface(bitmap_->surface);
    }
    Canvas c = wholeSurface(*target_);
    c.clipLeft = std::clamp<int>(clip_.left, 0, c.clipRight);
    c.clipTop = std::clamp<int>(clip_.top, 0, c.clipBottom);
    c.clipRight = std::clamp<int>(clip_.right, c.clipLeft, c.clipRight);
    c.clipBottom = std::clamp<int>(clip_.bottom, c.clipTop, c.clipBottom);
    c.originX = origin_.x;
    c.originY = origin_.y;
    return c;
}

void DeviceContext::limitTo(const RECT* limit) {
    limited_ = limit != nullptr;
    limit_ = limited_ ? *limit : RECT{};
    // Worked out once, not on every drawing call.
    limitedCanvas_ = clippedTo(unlimitedCanvas(), limit_.left, limit_.top, limit_.right, limit_.bottom);
}

const Surface* DeviceContext::sourceSurface(POINT& origin) const {
    origin = isMemory() ? POINT{} : origin_;
    return isMemory() ? &bitmap_->surface : target_;
}

HBRUSH DeviceContext::select(HBRUSH brush) {
    return brush ? swapSelection(brush_, brush) : nullptr;
}
HPEN DeviceContext::select(HPEN pen) {
    return pen ? swapSelection(pen_, pen) : nullptr;
}
HFONT DeviceContext::select(HFONT font) {
    return font ? swapSelection(font_, font) : nullptr;
}

HBITMAP DeviceContext::select(HBITMAP bitmap) {
    if (bitmap == nullptr || !isMemory()) {
        return nullptr;
    }
    if (bitmap == bitmap_) {
        return bitmap;
    }
    // A bitmap is drawn through one context at a time; the shared default is the exception.
    if (!bitmap->stock && bitmap->selectedInto != nullptr) {
        return nullptr;
    }
    HBITMAP previous = bitmap_;
    if (previous->selectedInto == this) {
        previous->selectedInto = nullptr;
    }
    bitmap->selectedInto = bitmap->stock ? nullptr : this;
    bitmap_ = bitmap;
    if (limited_) {
        limitTo(&limit_);
    }
    return previous;
}

HDC createSurfaceDC(Surface& target, POINT origin, const RECT* clip) {
    const RECT whole{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    return new DeviceContext(target, origin, clip ? *clip : whole);
}

}  // namespace platform

HDC CreateCompatibleDC(HDC) {
    return new platform::DeviceContext();
}

BOOL DeleteDC(HDC hdc) {
    if (hdc == nullptr) {
        return FALSE;
    }
    delete hdc;
    return TRUE;
}

HBRUSH SelectObject(HDC hdc, HBRUSH brush) {
    return hdc ? hdc->select(brush) : nullptr;
}
HPEN SelectObject(HDC hdc, HPEN pen) {
    return hdc ? hdc->select(pen) : nullptr;
}
HFONT SelectObject(HDC hdc, HFONT font) {
    return hdc ? hdc->select(font) : nullptr;
}
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap) {
    return hdc ? hdc->select(bitmap) : nullptr;
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
    if (hdc == nullptr) {
        return 0;
    }
    return std::exchange(hdc->textColour, colour);
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
    if (hdc == nullptr) {
        return 0;
    }
    return std::exchange(hdc->backgroundColour, colour);
}

int SetBkMode(HDC hdc, int mode) {
    assert(mode == TRANSPARENT || mode == OPAQUE);
    if (hdc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    return std::exchange(hdc->backgroundMode, mode);
}

int GetDeviceCaps(HDC, int index) {
    assert(index == LOGPIXELSX || index == LOGPIXELSY);
    if (index != LOGPIXELSX && index != LOGPIXELSY) {
        return 0;
    }
    return platform::backend().dotsPerInch();
}
