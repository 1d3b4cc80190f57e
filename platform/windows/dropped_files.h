// Files dropped on a window from the desktop. A top-level window that calls
// DragAcceptFiles gets WM_DROPFILES when files are dropped on it, its word
// parameter an HDROP: DragQueryFile reads the paths, DragFinish lets it go.
// A drop on a window under a modal one (disabled) is not delivered.
#pragma once

#include <string>
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

void DragAcceptFiles(HWND hwnd, BOOL accept);

// With `index` 0xFFFFFFFF answers how many files were dropped; with a null
// buffer, the length of file `index`'s path; otherwise copies it into
// `buffer` (cut to size - 1 characters, terminated) and answers its length.
// 0 for a handle that is not (or no longer) a drop's.
UINT DragQueryFile(HDROP drop, UINT index, WCHAR* buffer, UINT size);
void DragFinish(HDROP drop);

namespace platform {

struct InputEvent;

// Files dropped on the program's windows, in the desktop's order (a backend
// calls this); queued as input.
void filesDropped(std::vector<std::u16string> paths);

// The window that takes a drop now and the message; false (and the drop
// finished) when no window accepts it.
bool resolveDrop(const InputEvent& event, MSG& msg);

// Lets every drop not yet finished go (the queue is being reset).
void forgetDrops();

}  // namespace platform
