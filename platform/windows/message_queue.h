// The one message queue of the one UI thread, the lowest of the window units:
// SendMessage calls the window procedure at once; PostMessage queues. The
// queue only keeps what is posted (messages, raw input, the quit message);
// GetMessage, which also asks the timers, the input and the invalidation for
// what is due, is assembled above them all (platform/windows/message_loop.h).
#pragma once

#include <optional>

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"
#include "platform/windows/input_event.h"

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Queues WM_CHAR after a key press that types a character; answers whether it did.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);

namespace platform {

struct Window;

// Queues raw input; it becomes a window message when it is taken from the
// queue, so that it goes where the capture and focus are at that moment.
void postInput(const InputEvent& event);

// The one call another thread may make: queues the message through a guarded
// inbox that the UI thread empties into the queue whenever it looks for a
// message, and wakes a loop waiting for input. A message for a window gone by
// then is dropped.
void postFromAnyThread(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

void forgetMessagesFor(Window* window);
bool timerMessagePending(Window* window, UINT id);
void forgetTimerMessages(Window* window, UINT id);
void resetMessageQueue();

// What the message loop takes from the queue, oldest first: a posted message,
// or raw input still to be resolved into one.
struct QueuedMessage {
    MSG msg;
    std::optional<InputEvent> input;
};
// Moves what other threads posted to the end of the queue.
void receiveFromOtherThreads();
// The oldest entry, taken off the queue; nothing when it is empty.
std::optional<QueuedMessage> takeQueued();
// The quit message is pending once nothing else is queued; taking it answers
// its code and clears it.
bool quitPending();
int takeQuit();
// The time stamp of a message made now.
DWORD messageTime();

}  // namespace platform
