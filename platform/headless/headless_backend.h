// The backend for tests and tools: a virtual screen of any size and
// resolution, input injected through the platform's one input translation, a
// clock that only moves when the test moves it, and a record of every sound
// and message box in order.
//
// When the message loop has nothing to do it consumes the script: first a
// scripted answer to an open message box (by tapping its button), then the
// next scripted step (a tap, a key, time passing, any call). Time passes in
// steps to each timer's due moment, so the loop sees every WM_TIMER in order.
// With the script used up the loop ends as if the quit message had come.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/backend.h"
#include "platform/base/messages.h"
#include "platform/pixels/surface.h"
#include "platform/windows/input.h"

namespace platform {

struct MessageBoxRecord {
    std::u16string text;
    std::u16string caption;
    UINT type = 0;
    bool onScreen = false;  // shown as a window rather than through the backend
};

class HeadlessBackend final : public Backend {
  public:
    // Installs itself for its lifetime and restores the previous backend
    // after, destroying every window and timer the test left behind.
    HeadlessBackend();
    ~HeadlessBackend() override;
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    void playSound(std::u16string_view name) override;
    int messageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    void messageBoxOpened(HWND owner, std::u16string_view text, std::u16string_view caption,
                          UINT type) override;
    std::u16string programPath() override;
    int dotsPerInch() override { return dotsPerInch_; }
    ScreenSize screenSize() override { return screen_; }
    std::uint64_t milliseconds() override { return clock_; }
    bool waitForInput(std::optional<std::uint64_t> wakeAt) override;
    void wakeMessageLoop() override;

    // Waits, in real time, until another thread has posted a message since
    // the last wait (platform::postFromAnyThread); false when `limit` passed.
    bool waitForPostFromAnyThread(std::chrono::milliseconds limit);

    // The names of the sounds played, in order, as UTF-8.
    std::vector<std::string> soundLog() const;
    void clearSoundLog() { sounds_.clear(); }

    const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }

    // The answers the next message boxes give, in order: a box on the screen
    // gets its button tapped when the loop waits. Without one, a box shown
    // through the backend answers IDOK or IDNO.
    void answerMessageBoxes(std::initializer_list<int> answers);

    // Where the program file is said to lie; empty for the real one.
    void setProgramPath(std::u16string path) { programPath_ = std::move(path); }

    // The screen's dots per inch as the game will read it; 96 until set.
    void setDotsPerInch(int dpi) { dotsPerInch_ = dpi; }

    // The screen's size, 240 x 294 until set; set it before windows exist.
    void setScreenSize(int width, int height) { screen_ = {width, height}; }
    // The screen turns or changes size while windows exist (see platform/windows/screen.h).
    void changeScreenSize(int width, int height);

    // The screen as it shows now, and one pixel of it.
    Surface screen() const;
    Pixel pixelAt(int x, int y) const;

    // The clock, in milliseconds; GetTickCount shows its low 32 bits.
    void setClock(std::uint64_t milliseconds) { clock_ = milliseconds; }
    // Moves the clock on, queueing every timer that falls due on the way in
    // order; nothing is dispatched.
    void advanceClock(std::uint64_t milliseconds);
    // Moves the clock on, dispatching what is ready at every timer's due moment.
    void runFor(std::uint64_t milliseconds);
    // Dispatches everything that is ready now: queued messages and paints.
    int runUntilIdle();

    // Input at once (queued for the next dispatch), in screen coordinates.
    void pressAt(int x, int y);
    void moveTo(int x, int y);
    void releaseAt(int x, int y);
    void tap(int x, int y);
    void pressKey(UINT virtualKey, BYTE modifiers = MODIFIER_NONE);
    // The wheel turned by `delta` (WHEEL_DELTA a notch, positive away from the
    // user) with the pointer at (x, y), and the right or middle button; moveTo
    // drags while one is held.
    void turnWheel(int x, int y, int delta);
    void pressOtherAt(int x, int y, OtherButton button);
    void releaseOtherAt(int x, int y);
    // A file dropped from the desktop (its UTF-8 path), as the desktop backend hands it on.
    void dropFile(const std::string& path);

    // Input the loop takes when it would otherwise wait.
    class Script {
      public:
        Script& tap(int x, int y);
        Script& press(int x, int y);
        Script& move(int x, int y);
        Script& release(int x, int y);
        Script& key(UINT virtualKey, BYTE modifiers = MODIFIER_NONE);
        Script& wait(std::uint64_t milliseconds);
        Script& call(std::function<void()> step);

      private:
        friend class HeadlessBackend;
        std::deque<std::function<bool(HeadlessBackend&)>> steps_;  // answers false when it is not done yet
    };
    Script& script() { return script_; }
    // Did the loop run out of input and end?
    bool scriptExhausted() const { return exhausted_; }

  private:
    bool answerOpenMessageBox();
    // Moves the clock towards `target`, stopping at the next timer due on the
    // way; answers whether it reached the target.
    bool stepClock(std::uint64_t target);

    Backend* previous_;
    int dotsPerInch_ = 96;
    ScreenSize screen_{240, 294};
    std::uint64_t clock_ = 0;
    Script script_;
    bool exhausted_ = false;
    std::vector<std::u16string> sounds_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::deque<int> answers_;
    std::u16string programPath_;
    std::mutex postGuard_;
    std::condition_variable posted_;
    bool postArrived_ = false;
};

}  // namespace platform
