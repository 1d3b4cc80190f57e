#include "tools/vellumar-demo/demo_window.h"

#include <algorithm>
#include <initializer_list>
#include <span>
#include <string>

#include "platform/base/text.h"
#include "platform/controls/button.h"
#include "platform/controls/list_box.h"
#include "platform/controls/message_box.h"
#include "platform/controls/scroll_bar.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/text_renderer.h"
#include "platform/system/resources.h"
#include "platform/system/sound.h"
#include "platform/system/wave_file.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/timers.h"
#include "platform/windows/window.h"
#include "tools/vellumar-demo/demo_layout.h"
#include "tools/vellumar-demo/demo_output.h"

namespace demo {

namespace {

constexpr COLORREF kBackground = RGB(110, 87, 158);
constexpr COLORREF kFace = RGB(206, 196, 236);
constexpr COLORREF kFacePressed = RGB(72, 56, 110);
constexpr COLORREF kLabel = RGB(40, 30, 70);
constexpr COLORREF kLabelPressed = RGB(255, 255, 255);

constexpr Place kButtons[] = {kOneButton, kTwoButton, kAskButton, kSoundButton};

struct DemoState {
    int scale = 1;  // k: screen pixels per handheld pixel
    HFONT font = nullptr;
    HBRUSH face = nullptr;
    HBRUSH facePressed = nullptr;
};
DemoState state;

const char16_t* labelOf(int id) {
    switch (id) {
        case kOneButton.id:
            return u"One";
        case kTwoButton.id:
            return u"Two";
        case kAskButton.id:
            return u"Ask";
        case kSoundButton.id:
            return u"Sound";
        default:
            return u"";
    }
}

void place(HWND parent, const Place& p) {
    const int k = state.scale;
    MoveWindow(GetDlgItem(parent, p.id), p.left * k, p.top * k, p.width * k, p.height * k, TRUE);
}

void layOut(HWND window) {
    for (const Place& p : kButtons) {
        place(window, p);
    }
    place(window, kScrollBar);
    place(window, kListBox);
}

void createControls(HWND window) {
    HDC hdc = GetDC(window);
    state.scale = std::max(1, GetDeviceCaps(hdc, LOGPIXELSY) / 96);
    // 9 points, as the handheld's fonts are sized.
    state.font = CreateFont(-(9 * GetDeviceCaps(hdc, LOGPIXELSY)) / 72, 400, u"Arial");
    ReleaseDC(window, hdc);
    state.face = CreateSolidBrush(kFace);
    state.facePressed = CreateSolidBrush(kFacePressed);

    for (const Place& p : kButtons) {
        CreateWindow(u"Button", u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 10, 10, window, p.id,
                     nullptr);
    }
    HWND bar = CreateWindow(u"Scrollbar", u"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 0, 10, 10, window,
                            kScrollBar.id, nullptr);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = kScrollMax;
    info.nPage = 1;
    info.nPos = kScrollStart;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);

    HWND list = CreateWindow(u"Listbox", u"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_SORT, 0, 0, 10, 10,
                             window, kListBox.id, nullptr);
    for (const char16_t* fruit : {u"Cherry", u"apple", u"Banana", u"damson"}) {
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
    }
    layOut(window);
}

void drawFace(const DRAWITEMSTRUCT& item) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, pressed ? state.facePressed : state.face);
    RECT box = item.rcItem;
    SelectObject(item.hDC, state.font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, pressed ? kLabelPressed : kLabel);
    DrawText(item.hDC, labelOf(static_cast<int>(item.CtlID)), -1, &box,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

DWORD soundLengthMs(const char16_t* name) {
    const platform::ResourceEntry* wave = platform::findResource(nullptr, "WAVE", name);
    if (wave == nullptr) {
        return 0;
    }
    const std::span<const BYTE> bytes(reinterpret_cast<const BYTE*>(wave->data.data()), wave->data.size());
    const auto parsed = platform::parseWaveFile(bytes);
    return parsed ? static_cast<DWORD>(parsed->seconds() * 1000.0) : 0;
}

void command(HWND window, int id, WORD code) {
    if (id == kListBox.id) {
        if (code != LBN_SELCHANGE) {
            return;
        }
        HWND list = GetDlgItem(window, kListBox.id);
        const auto index = static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0));
        WCHAR text[MAX_PATH] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        report("select %d %s", index, platform::utf16ToUtf8(text).c_str());
        return;
    }
    report("command %d", id);
    if (id == kAskButton.id) {
        const int answer =
            MessageBox(window, u"Do you like the demo?", u"Vellumar demo", MB_YESNO | MB_ICONQUESTION);
        report("message box %d", answer);
    } else if (id == kSoundButton.id) {
        const DWORD start = GetTickCount();
        PlaySound(u"IDR_PALETTE", nullptr, SND_RESOURCE | SND_SYNC | SND_NODEFAULT);
        report("sound IDR_PALETTE %u %u", GetTickCount() - start, soundLengthMs(u"IDR_PALETTE"));
    }
}

void scroll(HWND bar, WORD code, WORD thumb) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    int position = info.nPos;
    switch (code) {
        case SB_LINEUP:
            --position;
            break;
        case SB_LINEDOWN:
            ++position;
            break;
        case SB_PAGEUP:
            position -= 3;
            break;
        case SB_PAGEDOWN:
            position += 3;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nMin + thumb;
            break;
        default:
            break;
    }
    info.fMask = SIF_POS;
    info.nPos = position;
    report("scroll %u %d", code, SetScrollInfo(bar, SB_CTL, &info, TRUE));
}

LRESULT demoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            createControls(window);
            return 0;
        case WM_DRAWITEM:
            drawFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND:
            command(window, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_HSCROLL:
            scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SETTINGCHANGE_RESET) {
                RECT client;
                GetClientRect(window, &client);
                layOut(window);
                InvalidateRect(window, nullptr, TRUE);
                report("layout %d %d", client.right, client.bottom);
            }
            return 0;
        case WM_DESTROY:
            DeleteObject(state.font);
            DeleteObject(state.face);
            DeleteObject(state.facePressed);
            report("closed");
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace

HWND createDemoWindow() {
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = demoProcedure;
    windowClass.hbrBackground = CreateSolidBrush(kBackground);
    windowClass.lpszClassName = u"VELLUMARDEMO";
    if (RegisterClass(&windowClass) == 0) {
        return nullptr;
    }
    HWND window = CreateWindow(u"VELLUMARDEMO", u"Vellumar demo", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, 0, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);
    report("ready %d %d %d", client.right, client.bottom, state.scale);
    return window;
}

int runDemo(HWND window) {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        // Esc ends the demo wherever the focus is.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && IsWindow(window)) {
            DestroyWindow(window);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace demo
