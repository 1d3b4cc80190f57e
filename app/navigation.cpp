#include "app/navigation.h"

#include "app/app_state.h"
#include "core/control_ids.h"
#include "app/control_states.h"
#include "pattern/view_transform.h"
#include "platform/controls/scroll_bar.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"

void useBoard(const BoardRectangle& board) {
    appState.boardRect = board;
    if (appState.pattern) {
        fitToBoard(*appState.pattern, board.width, board.height);
    }
}

namespace {

void showScrollBars(bool show) {
    ShowWindow(mainControl(IDC_HSCROLL), show ? SW_SHOW : SW_HIDE);
    ShowWindow(mainControl(IDC_VSCROLL), show ? SW_SHOW : SW_HIDE);
}

void repaintWholeWindow() {
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}

// Moves the centre so that the visible window stays inside the picture.
void keepViewInside(std::int32_t& x, std::int32_t& y) {
    const Pattern& p = *appState.pattern;
    const ViewTransform& v = p.viewTransform;
    x = keepCentreInside(x, appState.boardRect.width, v.visibleWidth, p.minX, p.maxX);
    y = keepCentreInside(y, appState.boardRect.height, v.visibleHeight, p.minY, p.maxY);
}

bool insideBoard(int x, int y) {
    const BoardRectangle& b = appState.boardRect;
    return x >= b.left && x <= b.left + b.width && y >= b.top && y <= b.top + b.height;
}

struct Axis {
    SCROLLINFO& record;
    int barId;
    UINT message;
    std::int32_t extent;
};

}  // namespace

POINT windowPointToPattern(int x, int y) {
    const BoardRectangle& b = appState.boardRect;
    const RECT board{b.left, b.top, b.left + b.width, b.top + b.height};
    ViewTransform view = appState.pattern->viewTransform;
    view.viewCentreX = appState.centreX;
    view.viewCentreY = appState.centreY;
    return windowToPattern(view, board, x, y);
}

bool boardPointToPattern(int x, int y, POINT& at) {
    if (!insideBoard(x, y) || !appState.pattern) {
        return false;
    }
    at = windowPointToPattern(x, y);
    return true;
}

std::int32_t clampToArrowBounds(std::int32_t pos, std::int32_t extent, std::int32_t page) {
    const std::int32_t half = extent / 2;
    if (pos < -half) {
        pos = -half;
    }
    if (pos > half - page) {
        pos = half - page;
    }
    return pos;
}

void updateScrollBars() {
    showScrollBars(true);
    useBoard(appState.boardRectWithBars);
    if (!appState.pattern) {
        return;
    }
    const ViewTransform& v = appState.pattern->viewTransform;
    const auto setBar = [](SCROLLINFO& record, int barId, std::int32_t extent, std::int32_t visible,
                           std::int32_t centre) {
        record = SCROLLINFO{};
        record.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        record.nMin = -(extent / 2);
        record.nMax = extent / 2;
        record.nPage = static_cast<UINT>(visible);
        record.nPos = centre - visible / 2;
        SetScrollInfo(mainControl(barId), SB_CTL, &record, TRUE);
    };
    setBar(appState.horzScrollInfo, IDC_HSCROLL, v.extentWidthUnits, v.visibleWidth, v.viewCentreX);
    setBar(appState.vertScrollInfo, IDC_VSCROLL, v.extentHeightUnits, v.visibleHeight, v.viewCentreY);
}

void zoomInAt(std::int32_t px, std::int32_t py) {
    if (!appState.pattern) {
        return;
    }
    showScrollBars(true);
    useBoard(appState.boardRectWithBars);
    appState.zoom = appState.zoom * 1.5f;
    setZoom(*appState.pattern, appState.zoom);
    keepViewInside(px, py);
    appState.centreX = px;
    appState.centreY = py;
    setCentre(*appState.pattern, px, py);
    updateScrollBars();
    repaintWholeWindow();
    updateControlStates();
}

void zoomOutStep(bool whole) {
    if (whole) {
        appState.zoom = 1.0f;
    } else {
        appState.zoom = appState.zoom * 0.6666667f;
        if (appState.zoom < 1.0f) {
            appState.zoom = 1.0f;
        }
    }
    Pattern* pattern = appState.pattern.get();
    if (pattern) {
        setZoom(*pattern, appState.zoom);
    }
    appState.tapMode = TapTool::Zoom;
    if (pattern && pattern->selectedColour >= 0) {
        InvalidateRect(mainControl(IDC_PALETTE_FIRST + pattern->selectedColour), nullptr, FALSE);
    }
    if (pattern) {
        pattern->selectedColour = -1;
    }
    if (appState.zoom == 1.0f) {
        useBoard(appState.boardRectFull);
        appState.centreX = 0;
        appState.centreY = 0;
        if (pattern) {
            setCentre(*pattern, 0, 0);
        }
    } else if (pattern) {
        // Still zoomed: the larger window may now reach past the picture.
        keepViewInside(appState.centreX, appState.centreY);
        setCentre(*pattern, appState.centreX, appState.centreY);
        updateScrollBars();
    }
    repaintWholeWindow();
    UpdateWindow(appState.mainWindow);
    if (appState.zoom == 1.0f) {
        showScrollBars(false);
    }
    updateControlStates();
}

bool handleNavigationKey(UINT virtualKey) {
    if (virtualKey == VK_RETURN) {
        if (appState.zoom != 1.0f) {
            appState.savedCentreX = appState.centreX;
            appState.savedCentreY = appState.centreY;
            appState.savedZoom = appState.zoom;
            zoomOutStep(false);
        } else {
            appState.zoom = appState.savedZoom;
            appState.centreX = appState.savedCentreX;
            appState.centreY = appState.savedCentreY;
            if (appState.pattern) {
                setZoom(*appState.pattern, appState.zoom);
                setCentre(*appState.pattern, appState.centreX, appState.centreY);
            }
            updateScrollBars();
            repaintWholeWindow();
            updateControlStates();
        }
        return true;
    }
    const bool vertical = virtualKey == VK_UP || virtualKey == VK_DOWN;
    const bool horizontal = virtualKey == VK_LEFT || virtualKey == VK_RIGHT;
    if (!vertical && !horizontal) {
        return false;
    }
    if (appState.zoom == 1.0f || !appState.pattern) {
        return true;
    }
    const ViewTransform& v = appState.pattern->viewTransform;
    Axis axis = vertical ? Axis{appState.vertScrollInfo, IDC_VSCROLL, WM_VSCROLL, v.extentHeightUnits}
                         : Axis{appState.horzScrollInfo, IDC_HSCROLL, WM_HSCROLL, v.extentWidthUnits};
    const std::int32_t step = static_cast<std::int32_t>(axis.record.nPage / 2);
    const bool back = virtualKey == VK_UP || virtualKey == VK_LEFT;
    const std::int32_t pos = clampToArrowBounds(axis.record.nPos + (back ? -step : step), axis.extent,
                                                static_cast<std::int32_t>(axis.record.nPage));
    const std::int32_t half = axis.extent / 2;
    axis.record.nPos = pos;
    const HWND bar = mainControl(axis.barId);
    SetScrollInfo(bar, SB_CTL, &axis.record, FALSE);
    // The bar reports its thumb as a distance from the range's start; the
    // view moves when the posted message is handled.
    PostMessage(appState.mainWindow, axis.message,
                MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(pos + half)), reinterpret_cast<LPARAM>(bar));
    return true;
}

void handleScroll(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!appState.pattern) {
        return;
    }
    const bool horizontal = message == WM_HSCROLL;
    const ViewTransform& v = appState.pattern->viewTransform;
    const std::int32_t visible = horizontal ? v.visibleWidth : v.visibleHeight;
    const std::int32_t extent = horizontal ? v.extentWidthUnits : v.extentHeightUnits;
    const HWND bar = reinterpret_cast<HWND>(lParam);
    SCROLLINFO si{};
    si.fMask = SIF_POS;
    GetScrollInfo(bar, SB_CTL, &si);
    std::int32_t pos = si.nPos;
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            pos -= visible / 20;
            break;
        case SB_LINEDOWN:
            pos += visible / 20;
            break;
        case SB_PAGEUP:
            pos -= visible;
            break;
        case SB_PAGEDOWN:
            pos += visible;
            break;
        case SB_THUMBPOSITION:
            pos = static_cast<std::int32_t>(HIWORD(wParam)) - extent / 2;
            break;
        case SB_THUMBTRACK:
            return;  // the view follows a dragged thumb only when it is let go
        default:
            break;
    }
    if (pos < -(extent / 2)) {
        pos = -(extent / 2);
    }
    if (pos > extent / 2) {
        pos = extent / 2;
    }
    (horizontal ? appState.centreX : appState.centreY) = pos + visible / 2;
    setCentre(*appState.pattern, appState.centreX, appState.centreY);
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    repaintWholeWindow();
}
