// A window class for the tests that writes down every message it receives,
// and a fixture with the headless backend.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"

// The pixel the screen shows for a colour.
constexpr platform::Pixel pixelOf(COLORREF colour) {
    return platform::pixelFromColour(colour);
}
inline constexpr COLORREF kRecorderBackground = RGB(110, 87, 158);

struct Received {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD tick = 0;
};

class WindowTest : public ::testing::Test {
  protected:
    WindowTest();
    ~WindowTest() override;

    // A visible full-screen window of the recording class.
    HWND createMainWindow();
    // The same, once it has painted, with what it received so far forgotten.
    HWND settledMainWindow();
    // A visible child of `parent` of a given class.
    HWND createChild(HWND parent, const WCHAR* className, DWORD style, int id, RECT rect,
                     const WCHAR* text = u"");

    // The messages received, optionally only those of one kind.
    std::vector<Received> received(UINT message = 0) const;
    void clearReceived();
    // One field of each message received of a kind (0: of every kind), in order.
    template <typename T>
    std::vector<T> fieldOf(T Received::*field, UINT message = 0) const {
        std::vector<T> out;
        for (const Received& r : received(message)) {
            out.push_back(r.*field);
        }
        return out;
    }
    std::vector<HWND> targets(UINT message) const { return fieldOf(&Received::hwnd, message); }
    std::vector<UINT> kinds() const { return fieldOf(&Received::message); }
    std::vector<WPARAM> wParams(UINT message) const { return fieldOf(&Received::wParam, message); }
    // A tap (or a stroke pressed at one point and released at another), then the queue run dry.
    void tapAt(int x, int y) {
        backend.tap(x, y);
        backend.runUntilIdle();
    }
    void drag(int fromX, int fromY, int toX, int toY) {
        backend.pressAt(fromX, fromY);
        backend.moveTo(toX, toY);
        backend.releaseAt(toX, toY);
        backend.runUntilIdle();
    }
    // Fills a rectangle of a window's client area, outside the paint cycle.
    static void fillWindow(HWND hwnd, RECT rect, COLORREF colour);

    platform::HeadlessBackend backend;

  public:
    // What the recording procedure does beyond writing a message down; answer
    // true when handled, false to fall through to DefWindowProc.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> onMessage;
};
