#include "app/control_states.h"

#include "app/app_state.h"
#include "core/control_ids.h"
#include "pattern/painting.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/window.h"

HWND mainControl(int id) {
    return GetDlgItem(appState.mainWindow, id);
}

void repaintControl(int id) {
    InvalidateRect(mainControl(id), nullptr, FALSE);
}

namespace {

void setShownAndEnabled(int id, bool on) {
    const HWND button = mainControl(id);
    EnableWindow(button, on ? TRUE : FALSE);
    ShowWindow(button, on ? SW_SHOW : SW_HIDE);
}

}  // namespace

void updateControlStates() {
    const Settings& s = appState.settings;
    // A picture taken up again has time on its clock before its first tap.
    const bool timeOnClock = appState.clock.elapsedBefore != 0;
    const BOOL levelsEnabled = (s.clockStarted == 0 && s.paused == 0 && !timeOnClock) ? TRUE : FALSE;
    for (int id : {IDC_LEVEL_0, IDC_LEVEL_1, IDC_LEVEL_2}) {
        EnableWindow(mainControl(id), levelsEnabled);
    }
    for (int id : {IDC_LEVEL_0, IDC_LEVEL_1, IDC_LEVEL_2, IDC_PAUSE}) {
        ShowWindow(mainControl(id), s.Clock != 0 ? SW_SHOW : SW_HIDE);
    }
    SetFocus(appState.mainWindow);
}

void updatePaletteStates() {
    const Pattern* pattern = appState.pattern.get();
    if (pattern == nullptr) {
        return;
    }
    for (int i = 0; i < pattern->colourCount && i < kPaletteButtons; ++i) {
        const bool on = inPaintingMode(appState.settings, PaintingMode::Free) ||
                        colourHasUnpaintedPiece(*pattern, i) == 1;
        setShownAndEnabled(IDC_PALETTE_FIRST + i, on);
    }
}
