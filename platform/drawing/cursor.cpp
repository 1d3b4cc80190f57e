#include "platform/drawing/cursor.h"

#include <cassert>

namespace platform {

namespace {

Cursor arrow{IDC_ARROW};
Cursor wait{IDC_WAIT};
Cursor cross{IDC_CROSS};
HCURSOR current = &arrow;

}  // namespace

HCURSOR currentCursor() {
    return current;
}

}  // namespace platform

HCURSOR LoadCursor(HINSTANCE instance, SystemCursor which) {
    assert(instance == nullptr);
    (void)instance;
    switch (which) {
        case IDC_ARROW:
            return &platform::arrow;
        case IDC_WAIT:
            return &platform::wait;
        case IDC_CROSS:
            return &platform::cross;
    }
    assert(false && "not a system cursor");
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = platform::current;
    platform::current = cursor;
    return previous;
}
