// The game's entry. The game's state is built first, before the desktop
// backend opens: the settings (which end the program, with a warning, when
// the default pattern is missing), then the play clock. The warning is a
// message box of the desktop's own, since no window of the game exists yet.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "app/entry.h"
#include "platform/base/backend.h"
#include "platform/sdl/closing_signals.h"
#include "platform/sdl/desktop_notices.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/single_instance.h"
#include "platform/system/resources.h"
#include "platform/windows/window.h"

extern const platform::ResourceTable vellumarResources;

int main() {
    // A second start brings the first copy's window to the front instead.
    if (!platform::claimSingleInstance("vellumar")) {
        platform::askFirstInstanceToShow("vellumar");
        return 0;
    }
    platform::DesktopNotices notices;
    platform::installBackend(&notices);
    constructAppState();
    platform::installBackend(nullptr);
    std::string why;
    const auto desktop = platform::SdlBackend::open({}, &why);
    if (!desktop) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    platform::installBackend(desktop.get());
    // When the display goes away Xlib ends the process through exit(): the
    // settings are saved on the way out if the game never got to close.
    static bool closed = false;
    std::atexit([] {
        if (!closed) {
            appState.settings.save();
        }
    });
    const HINSTANCE instance = platform::registerModule(vellumarResources);
    const int code = runGame(instance, SW_SHOW);
    closed = true;
    // The clock's clean-up, once the entry is done, while the platform still stands.
    destroyAppState();
    platform::installBackend(nullptr);
    platform::endAsTheClosingSignalAsks();
    return code;
}
