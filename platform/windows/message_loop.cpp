#include "platform/windows/message_loop.h"

#include <cassert>
#include <optional>

#include "platform/base/backend.h"
#include "platform/windows/dropped_files.h"
#include "platform/windows/input.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

// One step of the search for the next message. Answers the message, or
// nothing when none is ready; `quit` tells that the quit message is next.
std::optional<MSG> readyMessage(bool& quit) {
    quit = false;
    receiveFromOtherThreads();
    postDueTimers();
    while (auto entry = takeQueued()) {
        if (entry->input) {
            if (resolveInput(*entry->input, entry->msg)) {
                entry->msg.time = messageTime();
                entry->msg.modifiers = entry->input->modifiers;
                return entry->msg;
            }
            continue;
        }
        return entry->msg;
    }
    if (quitPending()) {
        quit = true;
        return std::nullopt;
    }
    if (Window* window = windowNeedingPaint()) {
        MSG paint;
        paint.hwnd = window;
        paint.message = WM_PAINT;
        paint.time = messageTime();
        return paint;
    }
    return std::nullopt;
}

}  // namespace

int dispatchPending() {
    int count = 0;
    bool quit = false;
    while (auto msg = readyMessage(quit)) {
        TranslateMessage(&*msg);
        DispatchMessage(&*msg);
        ++count;
    }
    return count;
}

void resetWindows() {
    destroyWindowsAndClasses();
    resetMessageQueue();
    forgetDrops();
    resetTimers();
}

}  // namespace platform

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    assert(hwnd == nullptr && filterMin == 0 && filterMax == 0);
    (void)hwnd;
    (void)filterMin;
    (void)filterMax;
    for (;;) {
        bool quit = false;
        if (auto ready = platform::readyMessage(quit)) {
            *msg = *ready;
            return TRUE;
        }
        if (quit) {
            *msg = MSG{};
            msg->message = WM_QUIT;
            msg->wParam = static_cast<WPARAM>(platform::takeQuit());
            return FALSE;
        }
        if (!platform::backend().waitForInput(platform::nextTimerDue())) {
            *msg = MSG{};
            msg->message = WM_QUIT;
            return FALSE;
        }
    }
}
