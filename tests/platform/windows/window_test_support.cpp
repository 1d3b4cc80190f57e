#include "window_test_support.h"

#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/timers.h"

namespace {

WindowTest* current = nullptr;
std::vector<Received> log;

LRESULT recordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    log.push_back({hwnd, message, wParam, lParam, GetTickCount()});
    LRESULT result = 0;
    if (current != nullptr && current->onMessage &&
        current->onMessage(hwnd, message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

WindowTest::WindowTest() {
    current = this;
    log.clear();
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = recordingProcedure;
    windowClass.hbrBackground = CreateSolidBrush(kRecorderBackground);
    windowClass.lpszClassName = u"Recorder";
    RegisterClass(&windowClass);
}

WindowTest::~WindowTest() {
    current = nullptr;
}

HWND WindowTest::createMainWindow() {
    return CreateWindow(u"Recorder", u"Main", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, nullptr, 0, nullptr);
}

HWND WindowTest::settledMainWindow() {
    HWND main = createMainWindow();
    backend.runUntilIdle();
    clearReceived();
    return main;
}

HWND WindowTest::createChild(HWND parent, const WCHAR* className, DWORD style, int id, RECT rect,
                             const WCHAR* text) {
    return CreateWindow(className, text, style | WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent, id, nullptr);
}

std::vector<Received> WindowTest::received(UINT message) const {
    std::vector<Received> out;
    for (const Received& r : log) {
        if (message == 0 || r.message == message) {
            out.push_back(r);
        }
    }
    return out;
}

void WindowTest::clearReceived() {
    log.clear();
}

void WindowTest::fillWindow(HWND hwnd, RECT rect, COLORREF colour) {
    HDC hdc = GetDC(hwnd);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd, hdc);
}
