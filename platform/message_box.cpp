#include "platform/message_box.h"

#include <cassert>
#include <string_view>

#include "platform/backend.h"

int MessageBox(HWND owner, const WCHAR* text, const WCHAR* caption, UINT type) {
    assert((type & MB_TYPEMASK) == MB_OK || (type & MB_TYPEMASK) == MB_YESNO);
    return platform::backend().messageBox(owner, text ? std::u16string_view(text) : std::u16string_view(),
                                          caption ? std::u16string_view(caption) : std::u16string_view(),
                                          type);
}
