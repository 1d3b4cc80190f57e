// The game's entry, which builds everything in the order the game needs it.
// Nothing of the game is built before `main`: the state's storage is static,
// but the settings and the clock are made here, by constructAppState.
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
    // 1. One copy only: a second start builds nothing and brings the first
    //    copy's window to the front instead.
    if (!platform::claimSingleInstance("vellumar")) {
        platform::askFirstInstanceToShow("vellumar");
        return 0;
    }
    // 2. The game's state: the settings, then the clock. The settings end
    //    the program with a warning when the default pattern is missing; no
    //    window of the game exists yet, so the warning goes through the
    //    desktop's own message box.
    platform::DesktopNotices notices;
    platform::installBackend(&notices);
    constructAppState();
    platform::installBackend(nullptr);
    // 3. The desktop, once the game knows it will run.
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
    // 4. The game's resources, then its windows and message loop.
    const HINSTANCE instance = platform::registerModule(vellumarResources);
    const int code = runGame(instance, SW_SHOW);
    closed = true;
    // 5. Taken down in the reverse order: the clock's clean-up needs the
    //    platform, which still stands, then the desktop.
    destroyAppState();
    platform::installBackend(nullptr);
    platform::endAsTheClosingSignalAsks();
    return code;
}
