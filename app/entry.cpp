#include "app/entry.h"

#include "app/app_state.h"
#include "core/control_ids.h"
#include "app/game_operations.h"
#include "app/main_window.h"
#include "platform/controls/button.h"
#include "platform/controls/scroll_bar.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/cursor.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/resource_images.h"
#include "platform/system/resources.h"
#include "platform/windows/accelerators.h"
#include "platform/windows/dropped_files.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "render/game_fonts.h"
#include "resources/vellumar_ids.h"

namespace {

void createGraphicsObjects() {
    appState.backgroundBrush = CreateSolidBrush(kWindowColour);
    appState.lightBrush = CreateSolidBrush(RGB(180, 166, 202));
    appState.shadeBrush = CreateSolidBrush(RGB(155, 143, 179));
    appState.grayBrush = CreateSolidBrush(RGB(128, 128, 128));
    appState.blackBrush = CreateSolidBrush(RGB(0, 0, 0));
    appState.whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    appState.blueBrush = CreateSolidBrush(RGB(0, 0, 255));
    appState.blackPen = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    appState.whitePen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    appState.blackThickPen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    appState.whiteThickPen = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
}

void createButton(int id, HINSTANCE instance) {
    CreateWindow(u"Button", u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 10, 10, appState.mainWindow, id,
                 instance);
}

// In the order the controls are made: banner, toolbar, levels, palette,
// pattern name, status, the small buttons, the two scroll bars.
void createControls(HINSTANCE instance) {
    createButton(IDC_BANNER, instance);
    for (int id = IDC_ZOOM_IN; id <= IDC_HELP; ++id) {
        createButton(id, instance);
    }
    for (int id = IDC_LEVEL_0; id <= IDC_LEVEL_2; ++id) {
        createButton(id, instance);
    }
    for (int id = IDC_PALETTE_FIRST; id <= IDC_PALETTE_LAST; ++id) {
        createButton(id, instance);
    }
    createButton(IDC_PATTERN_NAME, instance);
    createButton(IDC_STATUS, instance);
    for (int id = IDC_RESET; id <= IDC_PAINTING_MODE; ++id) {
        createButton(id, instance);
    }
    CreateWindow(u"Scrollbar", u"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 10, 10, appState.mainWindow,
                 IDC_HSCROLL, instance);
    CreateWindow(u"Scrollbar", u"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 10, 10, appState.mainWindow,
                 IDC_VSCROLL, instance);
    ShowWindow(GetDlgItem(appState.mainWindow, IDC_HSCROLL), SW_HIDE);
    ShowWindow(GetDlgItem(appState.mainWindow, IDC_VSCROLL), SW_HIDE);
}

}  // namespace

ATOM registerMainWindowClass(HINSTANCE instance, const WCHAR* className) {
    WNDCLASS windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(kWindowColour);
    windowClass.lpszClassName = className;
    return static_cast<ATOM>(RegisterClass(&windowClass));
}

bool initInstance(HINSTANCE instance, int showCommand) {
    appState.instance = instance;
    appState.pattern.reset();
    createGraphicsObjects();

    WCHAR title[100];
    WCHAR className[100];
    LoadString(instance, IDS_TITLE, title, 100);
    LoadString(instance, IDS_CLASS, className, 100);
    if (const HWND running = FindWindow(className, title)) {
        SetForegroundWindow(running);
        return false;
    }
    if (registerMainWindowClass(instance, className) == 0) {
        return false;
    }
    const HWND window = CreateWindow(className, title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, nullptr, 0, instance);
    if (window == nullptr) {
        return false;
    }
    appState.mainWindow = window;
    appState.clock.ownerWindow = window;
    DragAcceptFiles(window, TRUE);  // a picture dropped on the game becomes a pattern

    const HDC screen = GetDC(window);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(window, screen);
    appState.largeFont = createLargeFont(dpi);
    appState.smallFont = createSmallFont(dpi);

    createControls(instance);
    appState.clockFaceBitmap = LoadBitmap(instance, IDB_CLOCK_PANEL);
    appState.centreX = appState.centreY = 0;
    appState.zoom = 1.0f;
    appState.tapMode = TapTool::Zoom;
    layoutControls();
    startPattern();
    for (int i = 0; i < kPaletteButtons; ++i) {
        ShowWindow(GetDlgItem(window, IDC_PALETTE_FIRST + i),
                   i < appState.pattern->colourCount ? SW_SHOW : SW_HIDE);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}

int runGame(HINSTANCE instance, int showCommand) {
    if (!initInstance(instance, showCommand)) {
        return 0;
    }
    return runMessageLoop(instance);
}

int runMessageLoop(HINSTANCE instance) {
    const HACCEL accelerators = LoadAccelerators(instance, IDA_MAIN);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        // The shortcuts are the main window's, whichever of its controls has the focus.
        if (!TranslateAccelerator(appState.mainWindow, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
