#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>

#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/sdl/closing_signals.h"
#include "platform/sdl/main_window.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_cursor.h"
#include "platform/sdl/sdl_icon.h"
#include "platform/sdl/sdl_input_map.h"
#include "platform/sdl/sdl_message_box.h"
#include "platform/sdl/sdl_presenter.h"
#include "platform/sdl/single_instance.h"
#include "platform/sdl/window_scale.h"
#include "platform/text.h"
#include "platform/wave_file.h"
#include "platform/window_object.h"

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

std::string noDisplayReason() {
    std::string reason = SDL_GetError();
    if (!desktopNamed()) {
        reason += std::string(" (") + kNoDesktopNamed + ")";
    }
    return reason;
}

}  // namespace

SdlBackend::SdlBackend() = default;

std::unique_ptr<SdlBackend> SdlBackend::open(const SdlOptions& options, std::string* why) {
    std::string ignored;
    why = why != nullptr ? why : &ignored;

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
        *why = std::string(kNeedsDisplay) + kNoDesktopNamed;
        return nullptr;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *why = kNeedsDisplay + noDisplayReason();
        return nullptr;
    }
    if (const char* driver = SDL_GetCurrentVideoDriver(); showsNothing(driver)) {
        *why = std::string(kNeedsDisplay) + "SDL's \"" + driver + "\" video driver shows nothing";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }

    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        SDL_GetDisplayBounds(0, &usable);
    }
    const ScreenSize base = options.landscape ? kLandscapeBase : kPortraitBase;
    // Fit the portrait arrangement, the taller one, whichever we open in, so
    // that a turn at the same scale still fits.
    backend->windowScale_ =
        options.scale > 0 ? options.scale : chooseScale({usable.w, usable.h}, kPortraitBase);
    const ScreenSize size = scaled(base, backend->windowScale_);
    backend->defaultTitle_ = options.title;
    backend->window_ =
        SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.width,
                         size.height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (backend->window_ == nullptr) {
        *why = kNeedsDisplay + noDisplayReason();
        return nullptr;
    }
    backend->shownTitle_ = options.title;
    backend->presenter_ = std::make_unique<SdlPresenter>();
    if (!backend->presenter_->open(backend->window_, why)) {
        *why = "Vellumar cannot draw in its window: " + *why;
        return nullptr;
    }
    backend->screen_ = backend->presenter_->outputSize();
    if (backend->screen_.width <= 0 || backend->screen_.height <= 0) {
        backend->screen_ = size;
    }
    // On a high-density display the drawable has more pixels than the window
    // has points; the fonts follow the pixels.
    const int pixelScale = std::max(backend->windowScale_, backend->screen_.width / base.width);
    backend->dotsPerInch_ = dotsPerInchForScale(pixelScale);
    backend->cursors_ = std::make_unique<SdlCursors>();
    backend->audio_ = std::make_unique<SdlAudio>();
    return backend;
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
    if (!audio_ || !audio_->available()) {
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

void SdlBackend::rotate() {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    const ScreenSize target = turned({width, height}, windowScale_);
    // The size-changed event that follows turns the screen.
    SDL_SetWindowSize(window_, target.width, target.height);
}

bool SdlBackend::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            return close();
        case SDL_WINDOWEVENT:
            return handleWindowEvent(event.window);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            // Touches arrive as finger events too; take them once, from there.
            if (event.button.which == SDL_TOUCH_MOUSEID || !isStylusButton(event.button.button)) {
                return false;
            }
            const POINT at = mouseToScreen(event.button.x, event.button.y);
            mouseHeld_ = event.type == SDL_MOUSEBUTTONDOWN;
            mouseHeld_ ? pointerDown(at) : pointerUp(at);
            return true;
        }
        case SDL_MOUSEMOTION:
            // A stylus has no hover: only a held pointer moves.
            if (event.motion.which == SDL_TOUCH_MOUSEID || !mouseHeld_) {
                return false;
            }
            pointerMove(mouseToScreen(event.motion.x, event.motion.y));
            return true;
        case SDL_FINGERDOWN:
            if (finger_ || mouseHeld_) {
                return false;
            }
            finger_ = event.tfinger.fingerId;
            pointerDown(touchToScreen(event.tfinger.x, event.tfinger.y, screen_));
            return true;
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: {
            // One finger is the stylus; the others rest on the screen.
            if (!finger_ || *finger_ != event.tfinger.fingerId) {
                return false;
            }
            const POINT at = touchToScreen(event.tfinger.x, event.tfinger.y, screen_);
            if (event.type == SDL_FINGERUP) {
                finger_.reset();
                pointerUp(at);
            } else {
                pointerMove(at);
            }
            return true;
        }
        case SDL_KEYDOWN: {
            if (isRotateKey(event.key.keysym.sym)) {
                rotate();
                return false;
            }
            const std::optional<TranslatedKey> key = translateKey(event.key.keysym.sym, event.key.keysym.mod);
            if (!key) {
                return false;
            }
            keyDown(key->virtualKey, key->modifiers);
            return true;
        }
        default:
            return false;
    }
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
    const ScreenSize size = presenter_->outputSize();
    if (size.width <= 0 || size.height <= 0 ||
        (size.width == screen_.width && size.height == screen_.height)) {
        return false;
    }
    const RECT previous = screenRect();
    screen_ = size;
    screenSizeChanged(previous);
    return true;
}

void SdlBackend::refresh() {
    presenter_->present(composeScreen(), presentAgain_);
    presentAgain_ = false;
    cursors_->update();
    HWND main = findMainWindow();
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
    return windowToScreen(x, y, {width, height}, screen_);
}

}  // namespace platform
