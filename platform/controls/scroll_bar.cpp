#include "platform/controls/scroll_bar.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>

#include "platform/controls/control_look.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

enum class Part { None, LineUp, LineDown, PageUp, PageDown, Thumb };

struct ScrollBarData final : WindowData {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    Part held = Part::None;
    int trackPos = 0;    // while the thumb is dragged
    int dragOffset = 0;  // from the thumb's start to where it was grabbed
};

// Positions a bar can take: min ... lastPosition.
int lastPosition(const ScrollBarData& d) {
    const std::int64_t page = d.page;
    const std::int64_t last = std::int64_t{d.max} - std::max<std::int64_t>(page - 1, 0);
    return static_cast<int>(std::max<std::int64_t>(last, d.min));
}

struct Geometry {
    bool vertical = false;
    int length = 0;     // along the bar
    int thickness = 0;  // across it
    int arrow = 0;      // each arrow's length
    int trackStart = 0;
    int trackEnd = 0;
    int thumbLength = 0;

    int movable() const { return std::max(trackEnd - trackStart - thumbLength, 0); }
};

Geometry geometryOf(HWND hwnd, const ScrollBarData& d) {
    Geometry g;
    g.vertical = (hwnd->style & SBS_VERT) != 0;
    g.length = g.vertical ? hwnd->clientHeight() : hwnd->clientWidth();
    g.thickness = g.vertical ? hwnd->clientWidth() : hwnd->clientHeight();
    g.arrow = std::min(g.thickness, g.length / 2);
    g.trackStart = g.arrow;
    g.trackEnd = g.length - g.arrow;
    const int track = g.trackEnd - g.trackStart;
    const std::int64_t span = std::int64_t{d.max} - d.min + 1;
    const std::int64_t page = std::min<std::int64_t>(d.page, std::max<std::int64_t>(span, 0));
    const int proportional = span > 0 && page > 0 ? static_cast<int>(track * page / span) : g.thickness;
    g.thumbLength =
        std::clamp(proportional, std::min(std::max(g.thickness / 2, 4), track), std::max(track, 0));
    return g;
}

int thumbStartFor(const Geometry& g, const ScrollBarData& d, int position) {
    const std::int64_t positions = std::int64_t{lastPosition(d)} - d.min;
    if (positions <= 0) {
        return g.trackStart;
    }
    return g.trackStart + static_cast<int>((std::int64_t{position} - d.min) * g.movable() / positions);
}

int positionForThumbStart(const Geometry& g, const ScrollBarData& d, int thumbStart) {
    const std::int64_t positions = std::int64_t{lastPosition(d)} - d.min;
    if (g.movable() <= 0 || positions <= 0) {
        return d.min;
    }
    const std::int64_t offset = std::clamp(thumbStart - g.trackStart, 0, g.movable());
    // Rounded to the nearest position, so that the thumb lands where it was put.
    const std::int64_t position =
        d.min + (offset * positions * 2 + g.movable()) / (2 * std::int64_t{g.movable()});
    return static_cast<int>(std::clamp<std::int64_t>(position, d.min, lastPosition(d)));
}

int alongBar(const Geometry& g, LPARAM lParam) {
    return g.vertical ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
}

void notify(HWND hwnd, WORD code, const ScrollBarData& d, int position = 0) {
    const Geometry g = geometryOf(hwnd, d);
    WORD word = 0;
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        word = static_cast<WORD>(std::clamp<std::int64_t>(std::int64_t{position} - d.min, 0, 0xFFFF));
    }
    SendMessage(hwnd->parent, g.vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, word),
                reinterpret_cast<LPARAM>(hwnd));
}

void redrawNow(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

// A rectangle along the bar from `start` to `end`, across its whole thickness.
RECT span(const Geometry& g, int start, int end) {
    return g.vertical ? RECT{0, start, g.thickness, end} : RECT{start, 0, end, g.thickness};
}

void paintArrow(HDC hdc, const Geometry& g, RECT box, bool pointsBack, bool pressed) {
    fillArea(hdc, box, pressed ? kPressedColour : kFaceColour);
    frameArea(hdc, box, kFrameColour);
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    const int r = std::max(g.thickness / 4, 1);
    if (g.vertical) {
        const int tip = pointsBack ? cy - r / 2 : cy + r / 2;
        const int base = pointsBack ? cy + r / 2 + 1 : cy - r / 2 - 1;
        fillTriangle(hdc, {cx, tip}, {cx - r, base}, {cx + r, base}, kFrameColour);
    } else {
        const int tip = pointsBack ? cx - r / 2 : cx + r / 2;
        const int base = pointsBack ? cx + r / 2 + 1 : cx - r / 2 - 1;
        fillTriangle(hdc, {tip, cy}, {base, cy - r}, {base, cy + r}, kFrameColour);
    }
}

void paint(HWND hwnd, const ScrollBarData& d, HDC hdc) {
    const Geometry g = geometryOf(hwnd, d);
    fillArea(hdc, span(g, 0, g.length), RGB(236, 234, 230));
    paintArrow(hdc, g, span(g, 0, g.arrow), true, d.held == Part::LineUp);
    paintArrow(hdc, g, span(g, g.trackEnd, g.length), false, d.held == Part::LineDown);
    if (g.trackEnd - g.trackStart > 0) {
        const int start = thumbStartFor(g, d, d.held == Part::Thumb ? d.trackPos : d.pos);
        const RECT thumb = span(g, start, start + g.thumbLength);
        fillArea(hdc, thumb, d.held == Part::Thumb ? kPressedColour : kFaceColour);
        frameArea(hdc, thumb, kFrameColour);
    }
}

void press(HWND hwnd, ScrollBarData& d, LPARAM lParam) {
    const Geometry g = geometryOf(hwnd, d);
    const int at = alongBar(g, lParam);
    const int thumbStart = thumbStartFor(g, d, d.pos);
    setCapture(hwnd);
    if (at < g.arrow) {
        d.held = Part::LineUp;
    } else if (at >= g.trackEnd) {
        d.held = Part::LineDown;
    } else if (at < thumbStart) {
        d.held = Part::PageUp;
    } else if (at >= thumbStart + g.thumbLength) {
        d.held = Part::PageDown;
    } else {
        d.held = Part::Thumb;
        d.trackPos = d.pos;
        d.dragOffset = at - thumbStart;
        redrawNow(hwnd);
        return;
    }
    redrawNow(hwnd);
    const WORD code = d.held == Part::LineUp     ? SB_LINEUP
                      : d.held == Part::LineDown ? SB_LINEDOWN
                      : d.held == Part::PageUp   ? SB_PAGEUP
                                                 : SB_PAGEDOWN;
    notify(hwnd, code, d);
}

}  // namespace

LRESULT scrollBarProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = windowData<ScrollBarData>(hwnd);
    switch (message) {
        case WM_CREATE:
            assert((hwnd->style & 0xFFFEu) == 0);
            hwnd->data = std::make_unique<ScrollBarData>();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            paint(hwnd, *d, ps.hdc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            press(hwnd, *d, lParam);
            return 0;
        case WM_MOUSEMOVE:
            if (d->held == Part::Thumb) {
                const Geometry g = geometryOf(hwnd, *d);
                const int position = positionForThumbStart(g, *d, alongBar(g, lParam) - d->dragOffset);
                if (position != d->trackPos) {
                    d->trackPos = position;
                    redrawNow(hwnd);
                    notify(hwnd, SB_THUMBTRACK, *d, position);
                }
            }
            return 0;
        case WM_LBUTTONUP: {
            if (d->held == Part::None) {
                return 0;
            }
            const Part held = d->held;
            d->held = Part::None;
            releaseCapture();
            redrawNow(hwnd);
            if (held == Part::Thumb) {
                notify(hwnd, SB_THUMBPOSITION, *d, d->trackPos);
            }
            if (isLive(hwnd)) {
                notify(hwnd, SB_ENDSCROLL, *d);
            }
            return 0;
        }
        case WM_CANCELMODE:
            d->held = Part::None;
            redrawNow(hwnd);
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace platform

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
    assert(bar == SB_CTL);
    (void)bar;
    auto* d = platform::windowData<platform::ScrollBarData>(platform::isLive(hwnd) ? hwnd : nullptr);
    if (d == nullptr || info == nullptr) {
        return 0;
    }
    // The track position is the bar's own to report; setting it does nothing.
    assert((info->fMask & ~SIF_ALL) == 0);
    if (info->fMask & SIF_RANGE) {
        d->min = info->nMin;
        d->max = std::max(info->nMax, info->nMin);
    }
    if (info->fMask & SIF_PAGE) {
        d->page = info->nPage;
    }
    if (info->fMask & SIF_POS) {
        d->pos = info->nPos;
    }
    d->pos = std::clamp(d->pos, d->min, platform::lastPosition(*d));
    if (redraw) {
        InvalidateRect(hwnd, nullptr, FALSE);
    }
    return d->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    assert(bar == SB_CTL);
    (void)bar;
    auto* d = platform::windowData<platform::ScrollBarData>(platform::isLive(hwnd) ? hwnd : nullptr);
    if (d == nullptr || info == nullptr) {
        return FALSE;
    }
    assert((info->fMask & ~SIF_ALL) == 0);
    if (info->fMask & SIF_RANGE) {
        info->nMin = d->min;
        info->nMax = d->max;
    }
    if (info->fMask & SIF_PAGE) {
        info->nPage = d->page;
    }
    if (info->fMask & SIF_POS) {
        info->nPos = d->pos;
    }
    if (info->fMask & SIF_TRACKPOS) {
        info->nTrackPos = d->held == platform::Part::Thumb ? d->trackPos : d->pos;
    }
    return TRUE;
}
