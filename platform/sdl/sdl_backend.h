// The desktop backend: one SDL2 window whose client area is the game's screen.
//
// The window opens at a whole multiple k >= 2 of the handheld's 240 x 294
// portrait client area, the largest that fits the desktop, and the fonts get
// 96 x k dots per inch. The screen is a whole multiple of the portrait or
// landscape client area in the drawable's pixels, so it is shown pixel for
// pixel (crisp on high-density displays too): a resized window snaps to the
// nearest multiple; full screen (F11) and a maximised window show the largest
// that fits, centred on the main window's background colour.
//
// Mouse and touch act as the stylus, the right and middle buttons and the
// wheel (a touchpad's pinch too) reach the game as their own messages, the
// keys the game knows become its virtual keys, files dropped on the window
// become WM_DROPFILES (platform/windows/dropped_files.h), closing the window sends
// WM_CLOSE to the main window. Resizing the window, or F9, changes the screen
// as a turn of the device does (WM_SETTINGCHANGE with SETTINGCHANGE_RESET):
// F9 swaps the portrait and landscape client areas at the same k,
// 480 x 588 <-> 640 x 428 at k = 2.
//
// Use from main(), after anything that may show a message box before the
// window exists (see desktop_notices.h):
//     std::string why;
//     auto desktop = platform::SdlBackend::open({}, &why);
//     if (!desktop) { std::fprintf(stderr, "%s\n", why.c_str()); return 1; }
//     platform::installBackend(desktop.get());
//     platform::registerModule(programResources);
//     ... run the program's message loop, then installBackend(nullptr) ...
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/base/backend.h"

// SDL stays out of this header: a program's main() opens the backend without
// seeing SDL, and only platform/sdl/ is written against it.
struct SDL_Window;
struct SDL_WindowEvent;
struct SDL_MouseButtonEvent;
struct SDL_MouseMotionEvent;
struct SDL_TouchFingerEvent;
struct SDL_Keysym;
struct SDL_MultiGestureEvent;
struct SDL_DropEvent;
union SDL_Event;

namespace platform {

class DropGatherer;
class SdlAudio;
class SdlCursors;
class SdlPresenter;

struct SdlOptions {
    std::string title = "Vellumar";  // until the main window has a title of its own
    int scale = 0;                   // k; 0 takes the largest that fits the desktop
    bool landscape = false;          // open in the landscape arrangement
};

class SdlBackend final : public Backend {
  public:
    // Opens the window; the audio device waits for the first sound. With no
    // display, a display that does not answer, or only SDL's offscreen or
    // dummy video, answers nullptr and a one-line reason in `why`. One backend
    // at a time: SDL is one per process.
    static std::unique_ptr<SdlBackend> open(const SdlOptions& options, std::string* why);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    void playSound(std::u16string_view name) override;
    int messageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    int dotsPerInch() override { return dotsPerInch_; }
    ScreenSize screenSize() override { return screen_; }
    std::uint64_t milliseconds() override;
    bool waitForInput(std::optional<std::uint64_t> wakeAt) override;
    // Pushes an event of the backend's own, which SDL allows from any thread.
    void wakeMessageLoop() override;

    // k: the multiple of the handheld's client area the window opened at.
    int scale() const { return windowScale_; }

    // Turns the screen between portrait and landscape (what F9 does).
    void rotate();
    // Between a window and the whole display (what F11 does).
    void toggleFullScreen();

  private:
    SdlBackend();

    // Answers whether the event gave the game something to do.
    bool handle(const SDL_Event& event);
    bool handleWindowEvent(const SDL_WindowEvent& event);
    bool handleMouseButton(const SDL_MouseButtonEvent& event);
    bool handleMouseMotion(const SDL_MouseMotionEvent& event);
    bool handleFingerDown(const SDL_TouchFingerEvent& event);
    bool handleFingerMoveOrUp(const SDL_TouchFingerEvent& event);
    bool handleKeyDown(const SDL_Keysym& key);
    bool createWindow(const SdlOptions& options, std::string* why);
    bool handlePinch(const SDL_MultiGestureEvent& event);
    bool handleDrop(const SDL_DropEvent& event);
    bool turnWheel(int delta, POINT at);
    bool close();
    // Snaps a resized window to a whole multiple of the handheld's screen, or
    // fits the screen into a drawable that cannot be snapped; answers whether
    // the screen changed.
    bool followWindowSize();
    // The window keeps the size the window system gives it: full screen or maximised.
    bool sizedByDesktop() const;
    // Shows what the game drew, its cursor, title and icon.
    void refresh();
    POINT mouseToScreen(int x, int y) const;
    POINT touchOnScreen(float x, float y) const;

    SDL_Window* window_ = nullptr;
    std::unique_ptr<SdlPresenter> presenter_;
    std::unique_ptr<SdlCursors> cursors_;
    std::unique_ptr<SdlAudio> audio_;
    std::unique_ptr<DropGatherer> drops_;
    std::uint32_t wakeEvent_ = 0;  // SDL's number for the wake-up event; 0 until registered
    ScreenSize screen_{};
    POINT origin_{};          // where the screen lies in the drawable
    bool portrait_ = true;    // the arrangement while the desktop sizes the window
    ScreenSize snapAsked_{};  // the last snapped size asked for, not asked again
    int windowScale_ = 2;
    int dotsPerInch_ = 96;
    std::string defaultTitle_;
    std::string shownTitle_;
    bool iconTried_ = false;
    bool presentAgain_ = true;
    bool closeWithoutWindow_ = false;
    bool mouseHeld_ = false;
    bool otherHeld_ = false;              // the right or middle button, panning
    float pinchGathered_ = 0.0f;          // a pinch's spread not yet a wheel notch
    std::optional<std::int64_t> finger_;  // the touch acting as the stylus
};

}  // namespace platform
