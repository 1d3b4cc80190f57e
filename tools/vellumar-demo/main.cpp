// vellumar-demo: the platform's controls on the desktop backend, for trying
// the backend by hand and for its end-to-end test. Prints a line for each
// notification; Esc or closing the window ends it with 0.
#include <cstdio>
#include <string>

#include "platform/base/backend.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/single_instance.h"
#include "platform/system/resources.h"
#include "tools/vellumar-demo/demo_window.h"

extern const platform::ResourceTable vellumarResources;

int main() {
    // A second start shows the first copy's window instead of opening its own.
    if (!platform::claimSingleInstance("vellumar-demo")) {
        platform::askFirstInstanceToShow("vellumar-demo");
        return 0;
    }
    std::string why;
    const auto desktop = platform::SdlBackend::open({.title = "Vellumar demo"}, &why);
    if (!desktop) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return 1;
    }
    platform::installBackend(desktop.get());
    platform::registerModule(vellumarResources);

    HWND window = demo::createDemoWindow();
    const int code = window != nullptr ? demo::runDemo(window) : 1;

    platform::installBackend(nullptr);
    return code;
}
