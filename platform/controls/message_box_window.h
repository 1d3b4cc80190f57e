// The message box as a window: a framed box in the middle of the screen with
// a title bar, the text wrapped to fit, and its buttons (OK, or Yes and No;
// the first answers Enter). Its fonts follow the screen's dots per inch and
// its width the screen's, so caption and text stay readable at every size.
#pragma once

#include <string_view>

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

namespace platform {

// Shows the box modally and answers the button chosen. The owner, or with no
// owner every other top-level window, is disabled meanwhile. If the quit
// message arrives first, the box answers IDOK (MB_OK) or IDNO (MB_YESNO).
int showMessageBoxWindow(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type);

LRESULT messageBoxProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
