#include "platform/controls/list_box.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/controls/control_look.h"
#include "platform/drawing/text_renderer.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

struct ListBoxData final : WindowData {
    std::vector<std::u16string> entries;
    int selected = -1;
    int scroll = 0;  // pixels of the list above the visible part
    bool tracking = false;
    bool dragging = false;
    int pressY = 0;
    int pressScroll = 0;
};

bool lessIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](WCHAR x, WCHAR y) { return foldCase(x) < foldCase(y); });
}

int border(HWND hwnd) {
    return (hwnd->style & WS_BORDER) != 0 ? 1 : 0;
}

int entryHeight() {
    const int line = fontLineHeight(controlFont());
    return line + 2 * std::max(2, line / 5);
}

RECT innerArea(HWND hwnd) {
    const int b = border(hwnd);
    return {b, b, hwnd->clientWidth() - b, hwnd->clientHeight() - b};
}

int largestScroll(HWND hwnd, const ListBoxData& d) {
    const RECT inner = innerArea(hwnd);
    return std::max(0, static_cast<int>(d.entries.size()) * entryHeight() - (inner.bottom - inner.top));
}

void showEntry(HWND hwnd, ListBoxData& d, int index) {
    const RECT inner = innerArea(hwnd);
    const int top = index * entryHeight();
    const int visible = inner.bottom - inner.top;
    if (top < d.scroll) {
        d.scroll = top;
    } else if (top + entryHeight() > d.scroll + visible) {
        d.scroll = top + entryHeight() - visible;
    }
    d.scroll = std::clamp(d.scroll, 0, largestScroll(hwnd, d));
}

// A list made taller (laid out after its entries came) shows no rows past its end.
void keepScrollInside(HWND hwnd, ListBoxData& d) {
    d.scroll = std::clamp(d.scroll, 0, largestScroll(hwnd, d));
}

int visibleRows(HWND hwnd) {
    const RECT inner = innerArea(hwnd);
    return std::max(1, (inner.bottom - inner.top) / entryHeight());
}

// Where a key moves the selection from `from`, as a desktop list moves it.
int entryAfterKey(HWND hwnd, int from, int count, WPARAM key) {
    const int page = std::max(1, visibleRows(hwnd) - 1);
    switch (key) {
        case VK_UP:
            return from < 0 ? count - 1 : from - 1;
        case VK_DOWN:
            return from + 1;
        case VK_PRIOR:
            return from < 0 ? 0 : from - page;
        case VK_NEXT:
            return from < 0 ? page : from + page;
        case VK_HOME:
            return 0;
        case VK_END:
            return count - 1;
        default:
            return -2;
    }
}

void redrawNow(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void selectByUser(HWND hwnd, ListBoxData& d, int index) {
    if (index == d.selected) {
        return;
    }
    d.selected = index;
    showEntry(hwnd, d, index);
    redrawNow(hwnd);
    if ((hwnd->style & LBS_NOTIFY) != 0 && isLive(hwnd)) {
        SendMessage(hwnd->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(hwnd->id), LBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(hwnd));
    }
}

void paint(HWND hwnd, const ListBoxData& d, HDC hdc) {
    const RECT inner = innerArea(hwnd);
    fillArea(hdc, inner, kWindowColour);
    const int height = entryHeight();
    const int pad = std::max(2, height / 6);
    for (int i = 0; i < static_cast<int>(d.entries.size()); ++i) {
        const int top = inner.top + i * height - d.scroll;
        if (top >= inner.bottom) {
            break;
        }
        if (top + height <= inner.top) {
            continue;
        }
        const RECT row{inner.left, top, inner.right, top + height};
        const bool chosen = i == d.selected;
        if (chosen) {
            fillArea(hdc, row, kHighlightColour);
        }
        drawLabel(hdc, d.entries[static_cast<std::size_t>(i)],
                  {row.left + pad, row.top, row.right - pad, row.bottom}, controlFont(),
                  chosen ? kHighlightTextColour : kTextColour, false);
    }
    // Where the visible part lies in a list that does not fit.
    const int total = static_cast<int>(d.entries.size()) * height;
    const int visible = inner.bottom - inner.top;
    if (total > visible && visible > 0) {
        const int width = std::max(3, height / 6);
        const int barTop = inner.top + static_cast<int>(static_cast<long long>(d.scroll) * visible / total);
        const int barLength =
            std::max(width, static_cast<int>(static_cast<long long>(visible) * visible / total));
        fillArea(hdc, {inner.right - width, barTop, inner.right, barTop + barLength}, kPressedColour);
    }
    if (border(hwnd) != 0) {
        frameArea(hdc, {0, 0, hwnd->clientWidth(), hwnd->clientHeight()}, kFrameColour);
    }
}

LRESULT addEntry(HWND hwnd, ListBoxData& d, const WCHAR* text) {
    const std::u16string entry = text ? text : u"";
    auto at = d.entries.end();
    if ((hwnd->style & LBS_SORT) != 0) {
        at = std::upper_bound(d.entries.begin(), d.entries.end(), entry, lessIgnoringCase);
    }
    const auto index = static_cast<int>(at - d.entries.begin());
    d.entries.insert(at, entry);
    if (d.selected >= index) {
        ++d.selected;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return index;
}

bool validIndex(const ListBoxData& d, WPARAM wParam) {
    const auto index = static_cast<std::intptr_t>(wParam);
    return index >= 0 && index < static_cast<std::intptr_t>(d.entries.size());
}

void clearEntries(HWND hwnd, ListBoxData& d) {
    d.entries.clear();
    d.selected = -1;
    d.scroll = 0;
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT setSelection(HWND hwnd, ListBoxData& d, WPARAM wParam) {
    if (!validIndex(d, wParam)) {
        // -1 clears the selection and, as on the platform, still answers LB_ERR.
        if (static_cast<std::intptr_t>(wParam) == -1) {
            d.selected = -1;
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return LB_ERR;
    }
    d.selected = static_cast<int>(wParam);
    showEntry(hwnd, d, d.selected);
    InvalidateRect(hwnd, nullptr, FALSE);
    return d.selected;
}

LRESULT copyEntryText(const ListBoxData& d, WPARAM wParam, WCHAR* buffer) {
    if (!validIndex(d, wParam) || buffer == nullptr) {
        return LB_ERR;
    }
    // The caller's buffer holds LB_GETTEXTLEN + 1 characters, as the platform requires.
    const std::u16string& text = d.entries[wParam];
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    return static_cast<LRESULT>(text.size());
}

// The first entry after `wParam` (wrapping round) equal to `wanted` but for case.
LRESULT findEntryExact(const ListBoxData& d, WPARAM wParam, const WCHAR* wanted) {
    const auto count = static_cast<std::intptr_t>(d.entries.size());
    const std::intptr_t after = validIndex(d, wParam) ? static_cast<std::intptr_t>(wParam) : -1;
    for (std::intptr_t k = 1; wanted != nullptr && k <= count; ++k) {
        const std::intptr_t i = (after + k) % count;
        if (equalsIgnoringCase(d.entries[static_cast<std::size_t>(i)], wanted)) {
            return i;
        }
    }
    return LB_ERR;
}

void onPaint(HWND hwnd, ListBoxData& d) {
    keepScrollInside(hwnd, d);
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    paint(hwnd, d, ps.hdc);
    EndPaint(hwnd, &ps);
}

// A press selects the entry under it and starts tracking a drag.
void onPress(HWND hwnd, ListBoxData& d, int pressY) {
    SetFocus(hwnd);
    setCapture(hwnd);
    d.tracking = true;
    d.dragging = false;
    d.pressY = pressY;
    d.pressScroll = d.scroll;
    const int y = d.pressY - innerArea(hwnd).top + d.scroll;
    const int index = y >= 0 ? y / entryHeight() : -1;
    if (index >= 0 && index < static_cast<int>(d.entries.size())) {
        selectByUser(hwnd, d, index);
    }
}

// Past half an entry's height the press becomes a drag that scrolls the list.
void onDrag(HWND hwnd, ListBoxData& d, int y) {
    if (!d.tracking) {
        return;
    }
    const int moved = y - d.pressY;
    if (!d.dragging && std::abs(moved) > entryHeight() / 2) {
        d.dragging = true;
    }
    if (d.dragging) {
        const int scroll = std::clamp(d.pressScroll - moved, 0, largestScroll(hwnd, d));
        if (scroll != d.scroll) {
            d.scroll = scroll;
            redrawNow(hwnd);
        }
    }
}

void onRelease(ListBoxData& d) {
    if (d.tracking) {
        d.tracking = false;
        releaseCapture();
    }
}

void onKey(HWND hwnd, ListBoxData& d, WPARAM key) {
    const int count = static_cast<int>(d.entries.size());
    const int next = entryAfterKey(hwnd, d.selected, count, key);
    if (count > 0 && next != -2) {
        keepScrollInside(hwnd, d);
        selectByUser(hwnd, d, std::clamp(next, 0, count - 1));
    }
}

// Three entries a notch; the selection stays where it was.
void onWheel(HWND hwnd, ListBoxData& d, int delta) {
    const int scroll = d.scroll - delta * 3 * entryHeight() / WHEEL_DELTA;
    d.scroll = std::clamp(scroll, 0, largestScroll(hwnd, d));
    redrawNow(hwnd);
}

}  // namespace

LRESULT listBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = windowData<ListBoxData>(hwnd);
    switch (message) {
        case WM_CREATE:
            assert((hwnd->style & 0xFFFFu & ~(LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT)) == 0);
            hwnd->data = std::make_unique<ListBoxData>();
            return 0;
        case LB_ADDSTRING:
            return addEntry(hwnd, *d, reinterpret_cast<const WCHAR*>(lParam));
        case LB_RESETCONTENT:
            clearEntries(hwnd, *d);
            return 0;
        case LB_SETCURSEL:
            return setSelection(hwnd, *d, wParam);
        case LB_GETCURSEL:
            return d->selected >= 0 ? d->selected : LB_ERR;
        case LB_GETCOUNT:
            return static_cast<LRESULT>(d->entries.size());
        case LB_GETTEXTLEN:
            return validIndex(*d, wParam) ? static_cast<LRESULT>(d->entries[wParam].size()) : LB_ERR;
        case LB_GETTEXT:
            return copyEntryText(*d, wParam, reinterpret_cast<WCHAR*>(lParam));
        case LB_FINDSTRINGEXACT:
            return findEntryExact(*d, wParam, reinterpret_cast<const WCHAR*>(lParam));
        case WM_PAINT:
            onPaint(hwnd, *d);
            return 0;
        case WM_LBUTTONDOWN:
            onPress(hwnd, *d, GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            onDrag(hwnd, *d, GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            onRelease(*d);
            return 0;
        case WM_CANCELMODE:
            d->tracking = false;
            return 0;
        case WM_KEYDOWN:
            onKey(hwnd, *d, wParam);
            return 0;
        case WM_MOUSEWHEEL:
            onWheel(hwnd, *d, GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace platform
