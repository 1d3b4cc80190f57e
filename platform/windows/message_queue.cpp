#include "platform/windows/message_queue.h"

#include <cassert>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/base/backend.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

using Entry = QueuedMessage;

struct Queue {
    std::deque<Entry> entries;
    bool quit = false;
    int quitCode = 0;
};

Queue& queue() {
    static Queue instance;
    return instance;
}

// Messages from other threads, waiting for the UI thread.
struct Inbox {
    std::mutex guard;
    std::vector<MSG> messages;
};

Inbox& inbox() {
    static Inbox instance;
    return instance;
}

DWORD now() {
    return static_cast<DWORD>(backend().milliseconds());
}

}  // namespace

void receiveFromOtherThreads() {
    std::vector<MSG> arrived;
    {
        const std::lock_guard lock(inbox().guard);
        arrived.swap(inbox().messages);
    }
    for (const MSG& m : arrived) {
        PostMessage(m.hwnd, m.message, m.wParam, m.lParam);
    }
}

std::optional<QueuedMessage> takeQueued() {
    auto& entries = queue().entries;
    if (entries.empty()) {
        return std::nullopt;
    }
    QueuedMessage oldest = entries.front();
    entries.pop_front();
    return oldest;
}

bool quitPending() {
    return queue().quit;
}

int takeQuit() {
    queue().quit = false;
    return queue().quitCode;
}

DWORD messageTime() {
    return now();
}

void postInput(const InputEvent& event) {
    Entry entry;
    entry.input = event;
    queue().entries.push_back(entry);
}

void forgetMessagesFor(Window* window) {
    std::erase_if(queue().entries, [window](const Entry& e) { return !e.input && e.msg.hwnd == window; });
}

bool timerMessagePending(Window* window, UINT id) {
    for (const Entry& e : queue().entries) {
        if (!e.input && e.msg.hwnd == window && e.msg.message == WM_TIMER && e.msg.wParam == id) {
            return true;
        }
    }
    return false;
}

void forgetTimerMessages(Window* window, UINT id) {
    std::erase_if(queue().entries, [&](const Entry& e) {
        return !e.input && e.msg.hwnd == window && e.msg.message == WM_TIMER && e.msg.wParam == id;
    });
}

void resetMessageQueue() {
    queue() = Queue{};
    const std::lock_guard lock(inbox().guard);
    inbox().messages.clear();
}

void postFromAnyThread(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        const std::lock_guard lock(inbox().guard);
        MSG m;
        m.hwnd = hwnd;
        m.message = message;
        m.wParam = wParam;
        m.lParam = lParam;
        inbox().messages.push_back(m);
    }
    backend().wakeMessageLoop();
}

}  // namespace platform

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!platform::isLive(hwnd)) {
        return 0;
    }
    return hwnd->windowClass->procedure(hwnd, message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd != nullptr && !platform::isLive(hwnd)) {
        return FALSE;
    }
    platform::Entry entry;
    entry.msg.hwnd = hwnd;
    entry.msg.message = message;
    entry.msg.wParam = wParam;
    entry.msg.lParam = lParam;
    entry.msg.time = platform::now();
    platform::queue().entries.push_back(entry);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    platform::queue().quit = true;
    platform::queue().quitCode = exitCode;
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || msg->message != WM_KEYDOWN) {
        return FALSE;
    }
    const auto key = static_cast<UINT>(msg->wParam);
    WCHAR typed = 0;
    const bool control = (msg->modifiers & platform::MODIFIER_CONTROL) != 0;
    const bool shift = (msg->modifiers & platform::MODIFIER_SHIFT) != 0;
    if (key >= 'A' && key <= 'Z') {
        // Control with a letter types its control character (Ctrl+Q is 0x11).
        typed = control ? static_cast<WCHAR>(key - 'A' + 1) : static_cast<WCHAR>(shift ? key : key + 32);
    } else if ((key >= '0' && key <= '9') || key == VK_SPACE || key == VK_RETURN || key == VK_ESCAPE ||
               key == VK_BACK || key == VK_TAB) {
        typed = static_cast<WCHAR>(key);
    }
    if (typed == 0) {
        return FALSE;
    }
    platform::Entry entry;
    entry.msg = *msg;
    entry.msg.message = WM_CHAR;
    entry.msg.wParam = typed;
    // The character follows its key press directly, ahead of what was queued since.
    platform::queue().entries.push_front(entry);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr || !platform::isLive(msg->hwnd)) {
        return 0;
    }
    HWND hwnd = msg->hwnd;
    const LRESULT result = hwnd->windowClass->procedure(hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT && platform::isLive(hwnd)) {
        // A procedure that leaves the window invalid must not be asked again and again.
        hwnd->update = {};
        hwnd->erase = false;
    }
    return result;
}
