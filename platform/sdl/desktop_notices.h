// The backend a program installs before its desktop backend opens, so that a
// message box shown then (the game's warning that its default pattern is
// missing) appears as a window on the desktop, which SDL can show without a
// window of the program's; with no desktop at all, as one line on standard error.
#pragma once

#include "platform/base/backend.h"

namespace platform {

class DesktopNotices final : public Backend {
  public:
    void playSound(std::u16string_view) override {}
    int messageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
};

}  // namespace platform
