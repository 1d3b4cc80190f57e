// A window class for the tests that writes down every message it receives,
// and a fixture with the headless backend.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/message_queue.h"
#include "platform/window.h"

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
    // A visible child of `parent` of a given class.
    HWND createChild(HWND parent, const WCHAR* className, DWORD style, int id, RECT rect,
                     const WCHAR* text = u"");

    // The messages received, optionally only those of one kind.
    std::vector<Received> received(UINT message = 0) const;
    void clearReceived();

    platform::HeadlessBackend backend;

  public:
    // What the recording procedure does beyond writing a message down; answer
    // true when handled, false to fall through to DefWindowProc.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> onMessage;
};
