// What differs between running on a desktop and running headless in tests
// and tools: where sounds go, how a message box is shown, where the program
// file lies. The platform calls go through the installed backend.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/handles.h"
#include "platform/base/types.h"

namespace platform {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

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

    // The screen's size in pixels; full-screen windows cover it.
    virtual ScreenSize screenSize() { return {240, 294}; }

    // Milliseconds since an arbitrary start, never going back; GetTickCount
    // reads its low 32 bits and timers fall due by it.
    virtual std::uint64_t milliseconds();

    // Called by the message loop when it has nothing to do: waits for input
    // (handing it to platform/windows/input.h) or until the clock reaches `wakeAt`,
    // when given. Answers false when no input can ever come, which ends the
    // loop as the quit message would.
    virtual bool waitForInput(std::optional<std::uint64_t> wakeAt);

    // Called from any thread after platform::postFromAnyThread: a loop
    // waiting in waitForInput returns so that the message is taken.
    virtual void wakeMessageLoop() {}

    // A message box has opened on the screen (shown by the window layer, not
    // by messageBox above).
    virtual void messageBoxOpened(HWND, std::u16string_view, std::u16string_view, UINT) {}
};

// The backend in use; until one is installed, a quiet one that writes
// message boxes to standard error.
Backend& backend();

// Installs `b` (nullptr restores the quiet default). The caller keeps ownership.
void installBackend(Backend* b);

}  // namespace platform
