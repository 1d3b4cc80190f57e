#include "app/desktop_navigation.h"

#include "app/app_state.h"
#include "core/control_ids.h"
#include "app/control_states.h"
#include "app/navigation.h"
#include "pattern/view_transform.h"
#include "platform/controls/scroll_bar.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/window.h"

namespace {

// Where a drag began, in window pixels, and the view centre then.
struct Drag {
    bool active = false;
    POINT from{};
    std::int32_t centreX = 0;
    std::int32_t centreY = 0;
};
Drag drag;
int wheelRemainder = 0;

void zoomInKeepingTool(std::int32_t px, std::int32_t py) {
    zoomInAt(px, py);  // a zoom tap leaves the tool and the colour alone
}

void zoomOutKeepingTool() {
    if (!appState.pattern || appState.zoom == 1.0f) {
        return;
    }
    const TapTool tool = appState.tapMode;
    const std::int32_t colour = appState.pattern->selectedColour;
    zoomOutStep(false);
    appState.tapMode = tool;
    appState.pattern->selectedColour = colour;
    if (colour >= 0) {
        repaintControl(IDC_PALETTE_FIRST + colour);
    }
    repaintControl(IDC_ZOOM_IN);
    InvalidateRect(appState.mainWindow, nullptr, FALSE);  // Hint mode marks the colour's pieces
    updateControlStates();
}

// One axis of the view moved to `centre`, kept where the arrow keys may go.
std::int32_t panAxis(SCROLLINFO& record, int barId, std::int32_t centre, std::int32_t extent,
                     std::int32_t visible) {
    record.nPos = clampToArrowBounds(centre - visible / 2, extent, static_cast<std::int32_t>(record.nPage));
    SCROLLINFO position{};
    position.fMask = SIF_POS;
    position.nPos = record.nPos;
    SetScrollInfo(mainControl(barId), SB_CTL, &position, TRUE);
    return record.nPos + visible / 2;
}

// The picture follows the pointer, wherever the pointer has gone since.
void dragTo(int x, int y) {
    const POINT from = windowPointToPattern(drag.from.x, drag.from.y);
    const POINT to = windowPointToPattern(x, y);
    const ViewTransform& v = appState.pattern->viewTransform;
    appState.centreX = panAxis(appState.horzScrollInfo, IDC_HSCROLL, drag.centreX + from.x - to.x,
                               v.extentWidthUnits, v.visibleWidth);
    appState.centreY = panAxis(appState.vertScrollInfo, IDC_VSCROLL, drag.centreY + from.y - to.y,
                               v.extentHeightUnits, v.visibleHeight);
    setCentre(*appState.pattern, appState.centreX, appState.centreY);
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}

void turnWheel(int delta, int x, int y) {
    wheelRemainder += delta;
    for (; wheelRemainder >= WHEEL_DELTA; wheelRemainder -= WHEEL_DELTA) {
        POINT at{};
        if (boardPointToPattern(x, y, at)) {
            zoomInKeepingTool(at.x, at.y);
        }
    }
    for (; wheelRemainder <= -WHEEL_DELTA; wheelRemainder += WHEEL_DELTA) {
        zoomOutKeepingTool();
    }
}

}  // namespace

void handleDesktopPointer(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_MOUSEWHEEL: {
            POINT at{x, y};  // the wheel's point is on the screen
            ScreenToClient(appState.mainWindow, &at);
            turnWheel(GET_WHEEL_DELTA_WPARAM(wParam), at.x, at.y);
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // Only a zoomed board has anywhere to go.
            if (POINT at{}; appState.zoom != 1.0f && boardPointToPattern(x, y, at)) {
                drag = {true, {x, y}, appState.centreX, appState.centreY};
            }
            break;
        case WM_MOUSEMOVE:
            if (drag.active && appState.pattern && (wParam & (MK_RBUTTON | MK_MBUTTON)) != 0) {
                dragTo(x, y);
            }
            break;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            drag.active = false;
            break;
        default:
            break;
    }
}

bool handleZoomKey(UINT virtualKey) {
    if (virtualKey == VK_OEM_PLUS || virtualKey == VK_ADD) {
        zoomInKeepingTool(appState.centreX, appState.centreY);
        return true;
    }
    if (virtualKey == VK_OEM_MINUS || virtualKey == VK_SUBTRACT) {
        zoomOutKeepingTool();
        return true;
    }
    return false;
}
