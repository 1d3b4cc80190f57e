// A dialog's template: its title, its title bar's button and its controls,
// placed in dialog units.
#pragma once

#include <string>
#include <vector>

#include "platform/base/message_box_answers.h"
#include "platform/base/types.h"

namespace platform {

struct DialogItem {
    std::u16string className;  // "Button", "Listbox", "Scrollbar"
    int id = 0;
    std::u16string text;
    int x = 0;  // dialog units
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;  // WS_CHILD and the control's own styles
};

struct DialogTemplate {
    std::u16string title;
    int cx = 0;  // the size it was designed at, in dialog units; shown full screen all the same
    int cy = 0;
    int titleBarButton = IDOK;  // IDOK, IDCANCEL, or 0 for no title bar
    std::vector<DialogItem> items;
};

}  // namespace platform
