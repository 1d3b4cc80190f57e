// Which of the top-level windows the desktop window stands for: the one the
// title comes from and the close button closes.
#pragma once

#include "platform/base/handles.h"

namespace platform {

// The oldest live top-level window that is the program's own (not a dialog or
// a message box the platform made); nullptr before the program has made one.
HWND findMainWindow();

}  // namespace platform
