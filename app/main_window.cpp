#include "app/main_window.h"

#include <algorithm>
#include <iterator>

#include "app/app_state.h"
#include "core/control_ids.h"
#include "app/control_states.h"
#include "app/desktop_navigation.h"
#include "app/game_operations.h"
#include "app/kept_progress.h"
#include "app/navigation.h"
#include "app/picture_drop.h"
#include "pattern/painting.h"
#include "pattern/view_transform.h"
#include "platform/controls/button.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/cursor.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/resource_images.h"
#include "platform/system/resources.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "render/board_renderer.h"
#include "render/button_faces.h"
#include "ui/help_screen.h"

namespace {

BoardView boardView() {
    const BoardRectangle& b = appState.boardRect;
    return {{b.left, b.top, b.left + b.width, b.top + b.height},
            appState.zoom,
            appState.centreX,
            appState.centreY};
}

BoardBrushes boardBrushes() {
    return {appState.grayBrush, appState.whiteBrush, appState.blackBrush, appState.backgroundBrush,
            appState.largeFont};
}

FaceContext faceContext() {
    return {appState.instance,       appState.pattern.get(),    &appState.settings,
            appState.tapMode,        appState.chooserOpen != 0, appState.smallFont,
            appState.whiteThickPen,  appState.blackThickPen,    appState.blackPen,
            appState.backgroundBrush};
}

ClockPanel clockPanel() {
    return {appState.clockRect, appState.clockFaceBitmap, appState.backgroundBrush,
            appState.settings.Clock != 0};
}

template <typename Handle>
void deleteIfAny(Handle& handle) {
    if (handle != nullptr) {
        DeleteObject(handle);
        handle = nullptr;
    }
}

void onDestroy() {
    stopMakingPicture();
    appState.settings.save();
    saveKeptProgress();
    for (HBRUSH* brush :
         {&appState.backgroundBrush, &appState.lightBrush, &appState.shadeBrush, &appState.grayBrush,
          &appState.blackBrush, &appState.whiteBrush, &appState.blueBrush}) {
        deleteIfAny(*brush);
    }
    for (HPEN* pen :
         {&appState.blackPen, &appState.whitePen, &appState.blackThickPen, &appState.whiteThickPen}) {
        deleteIfAny(*pen);
    }
    deleteIfAny(appState.clockFaceBitmap);
    appState.pattern.reset();
    deleteIfAny(appState.largeFont);
    deleteIfAny(appState.smallFont);
    deleteIfAny(appState.boardBuffer);
    PostQuitMessage(0);
}

void onPaint(HWND hwnd) {
    RECT update{};
    GetUpdateRect(hwnd, &update, FALSE);
    PAINTSTRUCT paint{};
    const HDC hdc = BeginPaint(hwnd, &paint);
    appState.clock.paintClockPanel(hdc, clockPanel());
    if (update != appState.clockRect) {
        drawBoard(hdc, appState.boardBuffer, appState.pattern.get(), boardView(), boardBrushes());
    }
    EndPaint(hwnd, &paint);
}

void onTap(int x, int y) {
    POINT at{};
    if (!boardPointToPattern(x, y, at)) {
        return;
    }
    Pattern& pattern = *appState.pattern;
    if (appState.tapMode != TapTool::Paint) {
        zoomInAt(at.x, at.y);
        return;
    }
    const std::int32_t colourAtTap = pattern.selectedColour;
    std::int32_t index = -1;
    const bool changed = paintAt(pattern, at.x, at.y, index) == 1;
    if (changed) {
        const HDC hdc = GetDC(appState.mainWindow);
        drawBoardFrom(hdc, appState.boardBuffer, &pattern, boardView(), boardBrushes(), index);
        ReleaseDC(appState.mainWindow, hdc);
    }
    afterPaintTap(changed, colourAtTap);
}

void onMouseMove(int x, int y) {
    const BoardRectangle& b = appState.boardRect;
    const bool strictlyInside = x > b.left && x < b.left + b.width && y > b.top && y < b.top + b.height;
    const SystemCursor shape = pictureBeingMade() ? IDC_WAIT : strictlyInside ? IDC_CROSS : IDC_ARROW;
    SetCursor(LoadCursor(nullptr, shape));
}

void pickColour(int colour) {
    appState.tapMode = TapTool::Paint;
    playGameSound(u"IDR_PALETTE");
    Pattern* pattern = appState.pattern.get();
    if (pattern && pattern->selectedColour >= 0) {
        repaintControl(IDC_PALETTE_FIRST + pattern->selectedColour);
    }
    if (pattern) {
        pattern->selectedColour = colour;
    }
    repaintControl(IDC_PALETTE_FIRST + colour);
    if (inPaintingMode(appState.settings, PaintingMode::Hint)) {
        InvalidateRect(appState.mainWindow, nullptr, FALSE);  // Hint mode marks the colour's pieces
    }
    updateControlStates();
}

void chooseZoomTool() {
    appState.tapMode = TapTool::Zoom;
    if (appState.pattern && appState.pattern->selectedColour >= 0) {
        repaintControl(IDC_PALETTE_FIRST + appState.pattern->selectedColour);
    }
    repaintControl(IDC_ZOOM_IN);
    updateControlStates();
}

// A button's own click (notification code 0) flips the setting; any other
// code only redraws it.
template <typename Flag>
void flipOnClick(Flag& setting, WORD code) {
    if (code == 0) {
        setting = setting ? 0 : 1;
    }
}

void toggleSound(WORD code) {
    flipOnClick(appState.settings.Sound, code);
    repaintControl(IDC_SOUND);
    updateControlStates();
}

void toggleClock(WORD code) {
    flipOnClick(appState.settings.Clock, code);
    for (int level : {IDC_LEVEL_0, IDC_LEVEL_1, IDC_LEVEL_2, IDC_TIMER}) {
        repaintControl(level);
    }
    InvalidateRect(appState.mainWindow, &appState.clockRect, FALSE);
    updateControlStates();
}

void showHelp() {
    runHelpScreen(appState.mainWindow, {appState.instance, &appState.isPortrait, appState.backgroundBrush});
}

void closeGame() {
    SendMessage(appState.mainWindow, WM_CLOSE, 0, 0);
}

void nextColourScheme() {
    Settings& s = appState.settings;
    s.ColorScheme = s.ColorScheme + 1 > 3 ? 0 : s.ColorScheme + 1;
    repaintControl(IDC_COLOR_SCHEME);
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
    updateControlStates();
}

void nextPaintingMode() {
    Settings& s = appState.settings;
    s.PaintingMode = (s.PaintingMode + 1) % kPaintingModeCount;
    repaintControl(IDC_PAINTING_MODE);
    updatePaletteStates();
    updateControlStates();
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}

// Each command's handler, given the command's notification code.
struct Command {
    int id;
    void (*run)(WORD code);
};

constexpr Command kCommands[] = {
    {IDC_ZOOM_IN, [](WORD) { chooseZoomTool(); }},
    {IDC_ZOOM_OUT, [](WORD) { zoomOutStep(false); }},
    {IDC_SOUND, [](WORD code) { toggleSound(code); }},
    {IDC_TIMER, [](WORD code) { toggleClock(code); }},
    {IDC_RESTART, [](WORD) { restartPattern(); }},
    {IDC_PAUSE, [](WORD code) { togglePause(code == 0); }},
    {IDC_COMPLETE, [](WORD) { completePattern(); }},
    {IDC_HELP, [](WORD) { showHelp(); }},
    {IDC_LEVEL_0, [](WORD) { selectLevel(0); }},
    {IDC_LEVEL_1, [](WORD) { selectLevel(1); }},
    {IDC_LEVEL_2, [](WORD) { selectLevel(2); }},
    {IDC_RESET, [](WORD) { resetProgram(); }},
    {IDC_CLOSE, [](WORD) { closeGame(); }},
    {IDM_OK, [](WORD) { closeGame(); }},
    {IDC_OPEN, [](WORD) { openPattern(); }},
    {IDC_COLOR_SCHEME, [](WORD) { nextColourScheme(); }},
    {IDC_PAINTING_MODE, [](WORD) { nextPaintingMode(); }},
};

// Runs the handler of the command `id`; false when the game has none.
bool runCommand(int id, WORD code) {
    if (id >= IDC_PALETTE_FIRST && id <= IDC_PALETTE_LAST) {
        pickColour(id - IDC_PALETTE_FIRST);
        return true;
    }
    const auto command = std::ranges::find(kCommands, id, &Command::id);
    if (command == std::end(kCommands)) {
        return false;
    }
    command->run(code);
    return true;
}

LRESULT onCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result =
        runCommand(LOWORD(wParam), HIWORD(wParam)) ? 0 : DefWindowProc(hwnd, message, wParam, lParam);
    // Every command, whatever the button, ends with the controls in line with
    // the game and the keys back on the main window.
    updateControlStates();
    return result;
}

// The stylus taps and moves; the desktop's other buttons and wheel zoom and pan.
void onPointer(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        onTap(LOWORD(lParam), HIWORD(lParam));
        return;
    }
    if (message == WM_LBUTTONUP) {
        return;
    }
    if (message == WM_MOUSEMOVE) {
        onMouseMove(LOWORD(lParam), HIWORD(lParam));
    }
    handleDesktopPointer(message, wParam, lParam);
}

void onKeyDown(UINT virtualKey) {
    if (!handleNavigationKey(virtualKey)) {
        handleZoomKey(virtualKey);
    }
}

void onTimer(WPARAM id) {
    if (id == CountdownTimer::kTimerId) {
        clockTick();
    } else if (id == kProgressTimerId) {
        saveKeptProgress();
    } else if (id == kPictureMadeRetryTimerId) {
        onPictureMade();
    }
}

}  // namespace

void layoutControls() {
    RECT client{};
    GetClientRect(appState.mainWindow, &client);
    ToolbarBitmapSizes sizes = kToolbarBitmapSizes;
    for (std::size_t i = 0; i < kToolbarBitmaps.size(); ++i) {
        if (const HBITMAP face = LoadBitmap(appState.instance, kToolbarBitmaps[i])) {
            BITMAP size{};
            GetObject(face, sizeof size, &size);
            sizes[i] = {size.bmWidth, size.bmHeight};
            DeleteObject(face);
        }
    }
    const ScreenLayout layout = computeLayout(client.right, client.bottom, sizes);
    appState.isPortrait = layout.isPortrait;
    for (const ControlPlacement& p : layout.placements) {
        MoveWindow(mainControl(p.id), p.left, p.top, p.width, p.height, TRUE);
    }
    appState.boardRectFull = layout.boardRectFull;
    appState.boardRectWithBars = layout.boardRectWithBars;
    appState.clockRect = layout.clockRect;
    // Zoomed in with the bars showing, the board stays the narrower one and
    // the view is fitted to its new size; otherwise the whole board.
    const bool barsShown = IsWindowVisible(mainControl(IDC_HSCROLL)) && appState.zoom != 1.0f;
    useBoard(barsShown ? layout.boardRectWithBars : layout.boardRect);
    if (appState.pattern && barsShown) {
        setZoom(*appState.pattern, appState.zoom);
        updateScrollBars();
    }
}

LRESULT mainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            appState.shellActivateInfo = {};
            appState.shellActivateInfo[0] = 12;
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        case WM_ACTIVATE:
            return 0;  // the desktop has no shell to keep the game full-screen
        case WM_SETTINGCHANGE:
            if (wParam == SETTINGCHANGE_RESET) {
                layoutControls();
            }
            return 0;
        case WM_PAINT:
            onPaint(hwnd);
            return 0;
        case WM_DRAWITEM:
            drawButtonFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), faceContext());
            return 0;
        case WM_KEYDOWN:
            onKeyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_COMMAND:
            return onCommand(hwnd, message, wParam, lParam);
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_DROPFILES:
            onFilesDropped(reinterpret_cast<HDROP>(wParam));
            return 0;
        case kPictureMadeMessage:
            onPictureMade();
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            handleScroll(message, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEWHEEL:
            onPointer(message, wParam, lParam);
            return 0;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}
