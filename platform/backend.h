// What differs between running on a desktop and running headless in tests
// and tools: where sounds go, how a message box is shown, where the program
// file lies. The platform calls go through the installed backend.
#pragma once

#include <string>
#include <string_view>

#include "platform/handles.h"
#include "platform/types.h"

namespace platform {

class Backend {
  public:
    virtual ~Backend() = default;

    // Plays the named wave resource and returns when it has finished.
    virtual void playSound(std::u16string_view name) = 0;

    // Shows a modal message box and returns the button chosen (IDOK, IDYES, IDNO).
    virtual int messageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) = 0;

    // Full path of the running program file.
    virtual std::u16string programPath();

    // Dots per inch of the screen, which turns the game's point sizes into pixels.
    virtual int dotsPerInch() { return 96; }
};

// The backend in use; until one is installed, a quiet one that writes
// message boxes to standard error.
Backend& backend();

// Installs `b` (nullptr restores the quiet default). The caller keeps ownership.
void installBackend(Backend* b);

}  // namespace platform
