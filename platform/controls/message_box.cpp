#include "platform/controls/message_box.h"

#include <cassert>
#include <string_view>

#include "platform/base/backend.h"
#include "platform/controls/message_box_window.h"
#include "platform/windows/window_object.h"

int MessageBox(HWND owner, const WCHAR* text, const WCHAR* caption, UINT type) {
    assert((type & MB_TYPEMASK) == MB_OK || (type & MB_TYPEMASK) == MB_YESNO);
    assert((type & ~(MB_TYPEMASK | 0xF0u)) == 0);
    const std::u16string_view shownText = text ? std::u16string_view(text) : std::u16string_view();
    const std::u16string_view shownCaption = caption ? std::u16string_view(caption) : std::u16string_view();
    // Before any window exists (or after the last is gone) there is no screen
    // to show a box on; the backend tells the user its own way.
    if (platform::topLevelWindows().empty()) {
        return platform::backend().messageBox(owner, shownText, shownCaption, type);
    }
    return platform::showMessageBoxWindow(owner, shownText, shownCaption, type);
}
