// The system cursors the game shows: the arrow, the cross over the board and
// the wait cursor while a pattern loads. The platform records the current one;
// a backend with a mouse pointer shows it.
#pragma once

#include "platform/base/handles.h"

enum SystemCursor : int { IDC_ARROW = 32512, IDC_WAIT = 32514, IDC_CROSS = 32515 };

namespace platform {
struct Cursor {
    SystemCursor shape;
};
// The cursor set last; the arrow until one is set.
HCURSOR currentCursor();
}  // namespace platform

// Only the system cursors: `instance` must be nullptr.
HCURSOR LoadCursor(HINSTANCE instance, SystemCursor which);
// Answers the cursor it replaces.
HCURSOR SetCursor(HCURSOR cursor);
