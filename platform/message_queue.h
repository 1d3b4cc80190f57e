// The one message queue of the one UI thread. SendMessage calls the window
// procedure at once; PostMessage queues. GetMessage answers, in this order:
// queued messages (timers that have fallen due are queued as WM_TIMER first),
// the quit message, WM_PAINT for a window that needs painting, and otherwise
// waits for input or the next timer through the backend.
#pragma once

#include "platform/handles.h"
#include "platform/messages.h"
#include "platform/types.h"

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Answers FALSE for the quit message (its code in wParam), TRUE otherwise.
// Filters are not supported: pass nullptr, 0, 0. When the backend says no
// input can ever come, this answers as if the quit message had come, code 0.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Queues WM_CHAR after a key press that types a character; answers whether it did.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);

namespace platform {

struct Window;
struct InputEvent;

// Queues raw input; it becomes a window message when it is taken from the
// queue, so that it goes where the capture and focus are at that moment.
void postInput(const InputEvent& event);

// The one call another thread may make: queues the message through a guarded
// inbox that the UI thread empties into the queue whenever it looks for a
// message, and wakes a loop waiting for input. A message for a window gone by
// then is dropped.
void postFromAnyThread(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Dispatches everything that is ready (queued messages, due timers, paints)
// without waiting for input; answers how many messages it dispatched. The
// quit message stays pending. Tests and modal-free loops use it.
int dispatchPending();

void forgetMessagesFor(Window* window);
bool timerMessagePending(Window* window, UINT id);
void forgetTimerMessages(Window* window, UINT id);
void resetMessageQueue();

}  // namespace platform
