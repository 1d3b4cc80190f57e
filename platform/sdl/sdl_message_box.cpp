#include "platform/sdl/sdl_message_box.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/base/text.h"
#include "platform/controls/message_box.h"
#include "platform/sdl/desktop_notices.h"

namespace platform {

int showDesktopMessageBox(SDL_Window* parent, std::u16string_view text, std::u16string_view caption,
                          UINT type) {
    const std::string shownText = utf16ToUtf8(text);
    const std::string shownCaption = utf16ToUtf8(caption);
    const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
    const Uint32 flags =
        (type & 0xF0u) == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;

    if (!yesNo) {
        if (SDL_ShowSimpleMessageBox(flags, shownCaption.c_str(), shownText.c_str(), parent) == 0) {
            return IDOK;
        }
    } else {
        const SDL_MessageBoxButtonData buttons[] = {
            {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
            {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
        };
        const SDL_MessageBoxData box{flags,   parent, shownCaption.c_str(), shownText.c_str(), 2,
                                     buttons, nullptr};
        int chosen = IDNO;
        if (SDL_ShowMessageBox(&box, &chosen) == 0) {
            return chosen == IDYES ? IDYES : IDNO;
        }
    }
    // No desktop to show it on: the user still reads what it said.
    std::fprintf(stderr, "%s: %s\n", shownCaption.c_str(), shownText.c_str());
    return yesNo ? IDNO : IDOK;
}

int DesktopNotices::messageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) {
    return showDesktopMessageBox(nullptr, text, caption, type);
}

}  // namespace platform
