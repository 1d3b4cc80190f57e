#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#include "platform/base/text.h"
#include "platform/controls/built_in_classes.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/sdl/closing_signals.h"
#include "platform/sdl/desktop_window.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_cursor.h"
#include "platform/sdl/sdl_drop.h"
#include "platform/sdl/sdl_icon.h"
#include "platform/sdl/sdl_input_map.h"
#include "platform/sdl/sdl_message_box.h"
#include "platform/sdl/sdl_presenter.h"
#include "platform/sdl/single_instance.h"
#include "platform/sdl/window_scale.h"
#include "platform/system/resources.h"
#include "platform/system/wave_file.h"
#include "platform/windows/dropped_files.h"
#include "platform/windows/input.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/screen.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

// How often a wait looks up from SDL's events to see whether a later start
// has asked us to come to the front.
constexpr Uint64 kShowRequestPollMs = 100;

const char kNeedsDisplay[] = "Vellumar needs a display: ";

// SDL's drivers that show nothing: fine for SDL's own tests, useless for a game.
bool showsNothing(const char* driver) {
    return driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

bool desktopNamed() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

const char kNoDesktopNamed[] = "neither DISPLAY nor WAYLAND_DISPLAY is set";

// A display named by DISPLAY (and not Wayland) is X11's: SDL is held to that
// driver, so that a display that does not answer is reported as such rather
// than SDL settling for a driver that shows nothing.
bool x11Named() {
    return isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("SDL_VIDEODRIVER");
}

std::string noDisplayReason() {
    if (x11Named()) {
        return std::string("the display \"") + std::getenv("DISPLAY") + "\" could not be opened";
    }
    std::string reason = SDL_GetError();
    if (!desktopNamed()) {
        reason += std::string(" (") + kNoDesktopNamed + ")";
    }
    return reason;
}

}  // namespace

SdlBackend::SdlBackend() = default;

namespace {

// Sets SDL up for the game and starts its video; false, with the reason in
// `why`, when there is no display to show the game on.
bool startVideo(std::string& why) {
    // Closing the window is the game's business (WM_CLOSE), not SDL's; so is
    // closing on a signal, which SDL would do for SIGINT and SIGTERM only.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    catchClosingSignals();
    // A stylus acts at its first touch, focused window or not.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Leave the desktop's compositor alone; we are not a full-screen game.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Without a desktop SDL would settle for its offscreen driver, after the
    // Wayland library has complained on standard error: say it in one line instead.
    // A driver asked for by name (a console's KMS, say) is still tried.
    if (!desktopNamed() && !isSet("SDL_VIDEODRIVER")) {
        why = std::string(kNeedsDisplay) + kNoDesktopNamed;
        return false;
    }
    if (x11Named()) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        why = kNeedsDisplay + noDisplayReason();
        return false;
    }
    if (const char* driver = SDL_GetCurrentVideoDriver(); showsNothing(driver)) {
        why = std::string(kNeedsDisplay) + "SDL's \"" + driver + "\" video driver shows nothing";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<SdlBackend> SdlBackend::open(const SdlOptions& options, std::string* why) {
    std::string ignored;
    why = why != nullptr ? why : &ignored;
    // The program's windows may hold the platform's controls and dialogs.
    useBuiltInControls();
    if (!startVideo(*why)) {
        return nullptr;
    }
    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    if (!backend->createWindow(options, why)) {
        return nullptr;
    }
    backend->cursors_ = std::make_unique<SdlCursors>();
    backend->drops_ = std::make_unique<DropGatherer>();
    const Uint32 wake = SDL_RegisterEvents(1);
    backend->wakeEvent_ = wake == static_cast<Uint32>(-1) ? 0 : wake;
    return backend;
}

// The window at the largest whole scale of the screen that fits the desktop,
// and what draws in it.
bool SdlBackend::createWindow(const SdlOptions& options, std::string* why) {
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        SDL_GetDisplayBounds(0, &usable);
    }
    const ScreenSize base = options.landscape ? kLandscapeBase : kPortraitBase;
    // Fit the portrait arrangement, the taller one, whichever we open in, so
    // that a turn at the same scale still fits.
    windowScale_ = options.scale > 0 ? options.scale : chooseScale({usable.w, usable.h}, kPortraitBase);
    const ScreenSize size = scaled(base, windowScale_);
    defaultTitle_ = options.title;
    window_ = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               size.width, size.height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_ == nullptr) {
        *why = kNeedsDisplay + noDisplayReason();
        return false;
    }
    shownTitle_ = options.title;
    presenter_ = std::make_unique<SdlPresenter>();
    if (!presenter_->open(window_, why)) {
        *why = "Vellumar cannot draw in its window: " + *why;
        return false;
    }
    screen_ = presenter_->outputSize();
    if (screen_.width <= 0 || screen_.height <= 0) {
        screen_ = size;
    }
    portrait_ = !options.landscape;
    // On a high-density display the drawable has more pixels than the window
    // has points; the fonts follow the pixels.
    const int pixelScale = std::max(windowScale_, screen_.width / base.width);
    dotsPerInch_ = dotsPerInchForScale(pixelScale);
    return true;
}

SdlBackend::~SdlBackend() {
    audio_.reset();
    cursors_.reset();
    presenter_.reset();
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::uint64_t SdlBackend::milliseconds() {
    return SDL_GetTicks64();
}

void SdlBackend::playSound(std::u16string_view name) {
    // The game plays a sound right after drawing what it is about; show that first.
    refresh();
    // Opened with the first sound, not at start-up: a missing device can take
    // a while to give up, and a game with its sound off never waits for it.
    if (!audio_) {
        audio_ = std::make_unique<SdlAudio>();
        if (!audio_->available()) {
            std::fprintf(stderr, "Vellumar plays no sound: %s\n",
                         audio_->failure().empty() ? "no audio device" : audio_->failure().c_str());
        }
    }
    if (!audio_->available()) {
        return;
    }
    const ResourceEntry* resource = findResource(nullptr, "WAVE", name);
    if (resource == nullptr) {
        return;
    }
    const std::span<const BYTE> bytes(reinterpret_cast<const BYTE*>(resource->data.data()),
                                      resource->data.size());
    if (const std::optional<WaveFile> wave = parseWaveFile(bytes)) {
        audio_->play(*wave);
    }
}

int SdlBackend::messageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) {
    return showDesktopMessageBox(window_, text, caption, type);
}

bool SdlBackend::waitForInput(std::optional<std::uint64_t> wakeAt) {
    refresh();
    for (;;) {
        if (closeWithoutWindow_) {
            return false;
        }
        if (takeClosingSignal() != 0) {
            return close();
        }
        if (takeShowRequest()) {
            SDL_RestoreWindow(window_);
            SDL_RaiseWindow(window_);
        }
        // Nothing to show input to and no timer to wait for: nothing can ever happen.
        if (!wakeAt && topLevelWindows().empty()) {
            return false;
        }
        Uint64 timeout = kShowRequestPollMs;
        if (wakeAt) {
            const std::uint64_t now = milliseconds();
            if (*wakeAt <= now) {
                return true;
            }
            timeout = std::min<Uint64>(timeout, *wakeAt - now);
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, static_cast<int>(timeout)) != 0) {
            bool acted = handle(event);
            while (SDL_PollEvent(&event) != 0) {
                acted = handle(event) || acted;
            }
            if (acted) {
                return true;
            }
            // Hovering, focus and the like: nothing for the game, and nothing
            // new to show unless the window system lost the picture.
            if (presentAgain_) {
                refresh();
            }
        }
    }
}

void SdlBackend::wakeMessageLoop() {
    if (wakeEvent_ == 0) {
        return;  // SDL had no event number left: the message waits for the next input or timer
    }
    SDL_Event event{};
    event.type = wakeEvent_;
    SDL_PushEvent(&event);
}

void SdlBackend::rotate() {
    if (sizedByDesktop()) {
        portrait_ = !portrait_;
        followWindowSize();
        return;
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    const ScreenSize target = turned({width, height}, windowScale_);
    // The size-changed event that follows turns the screen.
    SDL_SetWindowSize(window_, target.width, target.height);
}

void SdlBackend::toggleFullScreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    // The size-changed event that follows fits the screen in.
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool SdlBackend::sizedByDesktop() const {
    return (SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_MAXIMIZED)) != 0;
}

bool SdlBackend::handle(const SDL_Event& event) {
    if (wakeEvent_ != 0 && event.type == wakeEvent_) {
        return true;  // the message loop looks at what another thread posted
    }
    switch (event.type) {
        case SDL_QUIT:
            return close();
        case SDL_WINDOWEVENT:
            return handleWindowEvent(event.window);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // Touches arrive as finger events too; take them once, from there.
            return event.button.which != SDL_TOUCH_MOUSEID && handleMouseButton(event.button);
        case SDL_MOUSEMOTION:
            return handleMouseMotion(event.motion);
        case SDL_MOUSEWHEEL:
            return event.wheel.which != SDL_TOUCH_MOUSEID &&
                   turnWheel(wheelDeltaFor(event.wheel.preciseY, event.wheel.direction),
                             mouseToScreen(event.wheel.mouseX, event.wheel.mouseY));
        case SDL_MULTIGESTURE:
            return handlePinch(event.mgesture);
        case SDL_DROPBEGIN:
        case SDL_DROPFILE:
        case SDL_DROPTEXT:
        case SDL_DROPCOMPLETE:
            return handleDrop(event.drop);
        case SDL_FINGERDOWN:
            return handleFingerDown(event.tfinger);
        case SDL_FINGERMOTION:
        case SDL_FINGERUP:
            return handleFingerMoveOrUp(event.tfinger);
        case SDL_KEYDOWN:
            return handleKeyDown(event.key.keysym);
        default:
            return false;
    }
}

bool SdlBackend::handleMouseMotion(const SDL_MouseMotionEvent& event) {
    // A stylus has no hover: only a held pointer moves.
    if (event.which == SDL_TOUCH_MOUSEID || (!mouseHeld_ && !otherHeld_)) {
        return false;
    }
    pointerMove(mouseToScreen(event.x, event.y));
    return true;
}

bool SdlBackend::handleFingerDown(const SDL_TouchFingerEvent& event) {
    // A touchpad's fingers move the mouse pointer; only a screen's act as the stylus.
    if (finger_ || mouseHeld_ || SDL_GetTouchDeviceType(event.touchId) != SDL_TOUCH_DEVICE_DIRECT) {
        return false;
    }
    finger_ = event.fingerId;
    pointerDown(touchOnScreen(event.x, event.y));
    return true;
}

bool SdlBackend::handleFingerMoveOrUp(const SDL_TouchFingerEvent& event) {
    // One finger is the stylus; the others rest on the screen.
    if (!finger_ || *finger_ != event.fingerId) {
        return false;
    }
    const POINT at = touchOnScreen(event.x, event.y);
    if (event.type == SDL_FINGERUP) {
        finger_.reset();
        pointerUp(at);
    } else {
        pointerMove(at);
    }
    return true;
}

bool SdlBackend::handleKeyDown(const SDL_Keysym& key) {
    if (isRotateKey(key.sym)) {
        rotate();
        return false;
    }
    if (key.sym == kFullScreenKey) {
        toggleFullScreen();
        return false;
    }
    const std::optional<TranslatedKey> translated = translateKey(key.sym, key.mod);
    if (!translated) {
        return false;
    }
    keyDown(translated->virtualKey, translated->modifiers);
    return true;
}

bool SdlBackend::handleMouseButton(const SDL_MouseButtonEvent& event) {
    const POINT at = mouseToScreen(event.x, event.y);
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    if (isStylusButton(event.button)) {
        mouseHeld_ = down;
        down ? pointerDown(at) : pointerUp(at);
        return true;
    }
    const OtherButton other = otherButtonFor(event.button);
    if (other == OtherButton::None || (!down && !otherHeld_)) {
        return false;
    }
    otherHeld_ = down;
    down ? otherButtonDown(at, other) : otherButtonUp(at);
    return true;
}

bool SdlBackend::turnWheel(int delta, POINT at) {
    if (delta == 0) {
        return false;
    }
    wheel(at, delta);
    return true;
}

bool SdlBackend::handlePinch(const SDL_MultiGestureEvent& event) {
    const int delta = pinchWheelDelta(pinchGathered_, event.dDist);
    if (SDL_GetTouchDeviceType(event.touchId) == SDL_TOUCH_DEVICE_DIRECT) {
        return turnWheel(delta, touchOnScreen(event.x, event.y));
    }
    // A touchpad's fingers point where the mouse pointer is.
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    return turnWheel(delta, mouseToScreen(x, y));
}

bool SdlBackend::handleDrop(const SDL_DropEvent& event) {
    const auto paths = drops_->take(event);
    // The event's file name is ours to free, whatever it was.
    SDL_free(event.file);
    if (!paths) {
        return false;
    }
    std::vector<std::u16string> files;
    for (const std::string& path : *paths) {
        files.push_back(utf8ToUtf16(path));
    }
    filesDropped(std::move(files));
    return true;
}

bool SdlBackend::handleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            return close();
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            presentAgain_ = true;
            return followWindowSize();
        case SDL_WINDOWEVENT_EXPOSED:
            presentAgain_ = true;
            return false;
        default:
            return false;
    }
}

bool SdlBackend::close() {
    if (HWND main = findMainWindow()) {
        PostMessage(main, WM_CLOSE, 0, 0);
        return true;
    }
    // Nothing of the program's to close: the loop ends as if it had quit.
    closeWithoutWindow_ = true;
    return true;
}

bool SdlBackend::followWindowSize() {
    const ScreenSize drawable = presenter_->outputSize();
    if (drawable.width <= 0 || drawable.height <= 0) {
        return false;
    }
    if (!sizedByDesktop()) {
        ScreenSize window;
        SDL_GetWindowSize(window_, &window.width, &window.height);
        const ScreenSize snapped = snapWindowSize(window);
        const bool asked = snapped.width == snapAsked_.width && snapped.height == snapAsked_.height;
        if ((snapped.width != window.width || snapped.height != window.height) && !asked) {
            // The size-changed event that follows brings the snapped size; a
            // window system that will not have it gets the screen fitted in.
            snapAsked_ = snapped;
            SDL_SetWindowSize(window_, snapped.width, snapped.height);
            return false;
        }
        if (snapped.width == window.width && snapped.height == window.height) {
            snapAsked_ = {};
        }
        portrait_ = isPortrait(snapped);
    }
    const ScreenSize size = fittedScreen(drawable, portrait_);
    origin_ = screenOrigin(drawable, size);
    presentAgain_ = true;
    if (size.width == screen_.width && size.height == screen_.height) {
        return false;
    }
    const RECT previous = screenRect();
    screen_ = size;
    screenSizeChanged(previous);
    return true;
}

void SdlBackend::refresh() {
    HWND main = findMainWindow();
    // Around a screen that does not fill the window, the main window's own background.
    const COLORREF background = main != nullptr && main->windowClass->background != nullptr
                                    ? main->windowClass->background->colour
                                    : RGB(0, 0, 0);
    presenter_->present(composeScreen(), presentAgain_, origin_, background);
    presentAgain_ = false;
    cursors_->update();
    const std::string title = main != nullptr ? utf16ToUtf8(main->text) : defaultTitle_;
    if (title != shownTitle_) {
        SDL_SetWindowTitle(window_, title.c_str());
        shownTitle_ = title;
    }
    // The program registers its resources after opening the backend; its icon
    // is there by the time its main window is.
    if (!iconTried_ && main != nullptr) {
        iconTried_ = true;
        setWindowIcon(window_);
    }
}

POINT SdlBackend::mouseToScreen(int x, int y) const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    const POINT at = windowToScreen(x, y, {width, height}, presenter_->outputSize());
    return {at.x - origin_.x, at.y - origin_.y};
}

POINT SdlBackend::touchOnScreen(float x, float y) const {
    const POINT at = touchToScreen(x, y, presenter_->outputSize());
    return {at.x - origin_.x, at.y - origin_.y};
}

}  // namespace platform
