// The message loop's side of the queue: GetMessage answers, in this order,
// queued messages (timers that have fallen due are queued as WM_TIMER first),
// the quit message, WM_PAINT for a window that needs painting, and otherwise
// waits for input or the next timer through the backend. It sits above every
// unit that feeds it (the queue, the timers, the input, the invalidation), so
// none of them needs to know it.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

// Answers FALSE for the quit message (its code in wParam), TRUE otherwise.
// Filters are not supported: pass nullptr, 0, 0. When the backend says no
// input can ever come, this answers as if the quit message had come, code 0.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);

namespace platform {

// Dispatches everything that is ready (queued messages, due timers, paints)
// without waiting for input; answers how many messages it dispatched. The
// quit message stays pending. Tests and modal-free loops use it.
int dispatchPending();

// Destroys every window and forgets every class (the built-in ones are
// registered again when next needed), empties the queue and lets every drop
// and timer go. Tests start from here.
void resetWindows();

}  // namespace platform
