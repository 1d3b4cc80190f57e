#include "app/game_operations.h"

#include <string>

#include "app/app_state.h"
#include "core/control_ids.h"
#include "app/control_states.h"
#include "app/kept_progress.h"
#include "app/navigation.h"
#include "app/player_patterns.h"
#include "app/window_title.h"
#include "pattern/painting.h"
#include "pattern/view_transform.h"
#include "platform/base/text.h"
#include "platform/controls/message_box.h"
#include "platform/drawing/cursor.h"
#include "platform/system/sound.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "ui/pattern_chooser.h"

namespace {

void repaintClock() {
    InvalidateRect(appState.mainWindow, &appState.clockRect, FALSE);
}

bool piecesLeft() {
    return appState.pattern && countUnpaintedPieces(*appState.pattern) > 0;
}

// A running clock is held while a question is open.
class HeldClock {
  public:
    HeldClock() : wasRunning_(appState.clock.isActive()) {
        if (wasRunning_) {
            appState.clock.pauseOrResume();
        }
    }
    // The operation does not go on: the clock runs again if it ran.
    void resume() const {
        if (wasRunning_) {
            appState.clock.start();
        }
    }

  private:
    bool wasRunning_;
};

bool confirmed(const char16_t* text, const char16_t* caption) {
    return MessageBox(appState.mainWindow, text, caption, MB_YESNO) == IDYES;
}

void showAllPaletteButtons() {
    for (int i = 0; i < kPaletteButtons; ++i) {
        const HWND button = mainControl(IDC_PALETTE_FIRST + i);
        ShowWindow(button, SW_SHOW);
        EnableWindow(button, TRUE);
        InvalidateRect(button, nullptr, FALSE);
    }
}

void setAllowanceForLevel(std::uint32_t level) {
    appState.clock.setAllowance(allowanceFor(appState.pattern ? appState.pattern->pieceTotal : 0, level));
}

}  // namespace

void playGameSound(const char16_t* name) {
    if (appState.settings.Sound == 1) {
        PlaySound(name, appState.instance, SND_RESOURCE | SND_SYNC);
    }
}

void startPattern() {
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    saveKeptProgress();  // of the picture being left
    appState.pattern.reset();
    appState.pattern = std::make_unique<Pattern>(appState.settings);
    loadPattern(*appState.pattern, appState.settings.CurrentPattern);
    appState.clock.reset();
    if (appState.settings.Level <= 2) {
        setAllowanceForLevel(appState.settings.Level);
    }
    appState.clock.stop();
    appState.clock.reset();
    appState.settings.clearGameFlags();
    restoreKeptProgress();
    appState.centreX = appState.centreY = 0;
    appState.savedCentreX = appState.savedCentreY = 0;
    appState.zoom = appState.savedZoom = 1.0f;
    appState.tapMode = TapTool::Zoom;
    // A new pattern starts on the whole board, whatever view the last one had.
    useBoard(appState.boardRectFull);
    ShowWindow(mainControl(IDC_HSCROLL), SW_HIDE);
    ShowWindow(mainControl(IDC_VSCROLL), SW_HIDE);
    updatePaletteStates();
    showPictureTitle(false);
    SetCursor(previous);
}

void restartPattern() {
    const HeldClock held;
    if (piecesLeft() && !confirmed(u"Ok to restart pattern?", u"Confirm")) {
        held.resume();
        return;
    }
    forgetKeptProgress();
    if (appState.pattern) {
        resetPainting(*appState.pattern);
    }
    showAllPaletteButtons();
    appState.settings.clearGameFlags();
    appState.clock.reset();
    repaintClock();
    repaintControl(IDC_PAUSE);
    repaintControl(IDC_STATUS);
    zoomOutStep(true);
    showPictureTitle(false);
    playGameSound(u"IDR_ERASE");
}

void completePattern() {
    if (piecesLeft()) {
        const HeldClock held;
        if (!confirmed(u"Ok to finish pattern?", u"Confirm")) {
            held.resume();
            return;
        }
    }
    forgetKeptProgress();
    appState.clock.stop();
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (appState.pattern) {
        completePainting(*appState.pattern);
    }
    zoomOutStep(true);
    // The finished picture gets the same fanfare as one painted to the end.
    playGameSound(u"IDR_FINISH");
    SetCursor(previous);
}

void togglePause(bool isClick) {
    Settings& s = appState.settings;
    if (!appState.clock.isActive() && s.paused == 0) {
        return;
    }
    if (isClick) {
        s.paused = s.paused ? 0 : 1;
    }
    if (s.paused) {
        appState.clock.pauseOrResume();
    } else {
        appState.clock.start();
    }
    repaintControl(IDC_PAUSE);
    updateControlStates();
}

void selectLevel(std::uint32_t level) {
    setAllowanceForLevel(level);
    appState.settings.Level = level;
    for (int id : {IDC_LEVEL_0, IDC_LEVEL_1, IDC_LEVEL_2}) {
        repaintControl(id);
    }
    repaintClock();
    updateControlStates();
}

void openPattern() {
    const HeldClock held;
    appState.chooserOpen = 1;
    const std::u16string previous(appState.settings.CurrentPattern,
                                  platform::boundedLength(appState.settings.CurrentPattern, MAX_PATH));
    const int answer = runPatternChooser(appState.mainWindow,
                                         {appState.instance, &appState.settings, appState.backgroundBrush,
                                          &appState.chooserWindow, playerPatternFolderText()});
    const std::u16string_view now(appState.settings.CurrentPattern,
                                  platform::boundedLength(appState.settings.CurrentPattern, MAX_PATH));
    if (answer == IDOK && now != previous) {
        startPattern();
    } else {
        held.resume();
    }
    appState.chooserOpen = 0;
}

void resetProgram() {
    const HeldClock held;
    if (!confirmed(u"Ok to reset program to default settings?", u"Vellumar-Confirm")) {
        held.resume();
        return;
    }
    forgetKeptProgress();
    appState.settings.resetToDefaults();
    if (appState.pattern) {
        resetPainting(*appState.pattern);
    }
    showAllPaletteButtons();
    SendMessage(appState.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_ZOOM_OUT, 0),
                reinterpret_cast<LPARAM>(mainControl(IDC_ZOOM_OUT)));
    appState.settings.clearGameFlags();
    appState.clock.reset();
    // The level is back at 1, so the clock shows what the level buttons say.
    setAllowanceForLevel(appState.settings.Level);
    appState.clock.update();
    for (int id : {IDC_LEVEL_0, IDC_LEVEL_1, IDC_LEVEL_2, IDC_COLOR_SCHEME, IDC_PAINTING_MODE, IDC_STATUS}) {
        repaintControl(id);
    }
    repaintClock();
    for (int id : {IDC_PAUSE, IDC_TIMER, IDC_SOUND}) {
        repaintControl(id);
    }
    InvalidateRect(appState.mainWindow, nullptr, TRUE);
    showPictureTitle(false);
    updateControlStates();
}

void afterPaintTap(bool changed, std::int32_t colourAtTap) {
    Pattern* pattern = appState.pattern.get();
    const bool finished = pattern && countUnpaintedPieces(*pattern) == 0;
    if (changed && finished) {
        forgetKeptProgress();
        // The quick redraw leaves bits of the last number on its neighbours;
        // the finished picture is the reward, so it is drawn whole once more.
        const BoardRectangle& b = appState.boardRect;
        const RECT board{b.left, b.top, b.left + b.width, b.top + b.height};
        InvalidateRect(appState.mainWindow, &board, FALSE);
        playGameSound(u"IDR_FINISH");
    }
    if (pattern && colourAtTap >= 0 && !inPaintingMode(appState.settings, PaintingMode::Free) &&
        pattern->piecesLeftPerColour[colourAtTap] == 0) {
        const HWND button = mainControl(IDC_PALETTE_FIRST + colourAtTap);
        EnableWindow(button, FALSE);
        InvalidateRect(button, nullptr, FALSE);
    }
    if (appState.settings.clockStarted == 0) {
        appState.settings.clockStarted = 1;
        appState.clock.start();
        updateControlStates();  // the level is fixed from the first paint tap on
    }
    if (finished && appState.settings.clockStarted != 0) {
        appState.clock.stop();
    }
    if (changed && finished) {
        showPictureTitle(true);
    }
    repaintControl(IDC_STATUS);
}

void clockTick() {
    if (appState.clock.hasDisplayChanged()) {
        repaintClock();
    }
    if (appState.clock.remainingSeconds() > 0) {
        return;
    }
    repaintClock();
    UpdateWindow(appState.mainWindow);
    playGameSound(u"IDR_TIMEDOUT");
    appState.clock.stop();
}
