// Makes the screenshots of the AppStream metadata with the game itself, on
// the headless backend: each picture is started through the game's own
// start-up, partly painted by the painting rules, and photographed.
//
//     vellumar-screenshots PATTERN_FOLDER OUTPUT_FOLDER
//
// PATTERN_FOLDER holds the bundled patterns (MonaLisa.mza among them). The
// settings and progress go wherever XDG_CONFIG_HOME and XDG_DATA_HOME say;
// scripts/screenshots.sh points them at a folder of its own.
#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/entry.h"
#include "app/game_operations.h"
#include "app/navigation.h"
#include "pattern/painting.h"
#include "platform/base/text.h"
#include "platform/headless/headless_backend.h"
#include "platform/system/resources.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"
#include "tools/codecs/png_writer.h"

extern const platform::ResourceTable vellumarResources;

namespace {

struct Shot {
    const char* pattern;  // file name without .mza
    int width, height, scale;
    int colourShare;  // every colour below colourCount / colourShare is painted
    float zoom;
    const char* output;
};

// The first colours painted piece by piece, as taps of the right colour would.
void paintFirstColours(int share) {
    Pattern& pattern = *appState.pattern;
    appState.settings.Sound = 0;
    for (std::int32_t colour = 0; colour < pattern.colourCount / share; ++colour) {
        for (std::size_t k = 0; k < pattern.pieces.size(); ++k) {
            if (pattern.pieces[k].colour == colour) {
                paintPiece(pattern, static_cast<std::int32_t>(k), colour);
            }
        }
        afterPaintTap(true, colour);
    }
    appState.settings.Sound = 1;
}

bool take(platform::HeadlessBackend& backend, HINSTANCE module, const std::string& folder, const Shot& shot) {
    backend.setScreenSize(shot.width, shot.height);
    backend.setDotsPerInch(96 * shot.scale);
    constructAppState();
    platform::copyToBuffer(appState.settings.CurrentPattern, MAX_PATH,
                           platform::utf8ToUtf16(folder + "/" + shot.pattern + ".mza"));
    platform::copyToBuffer(appState.settings.CurrentPatternShort, MAX_PATH,
                           platform::utf8ToUtf16(shot.pattern));
    appState.settings.KeepProgress = 0;
    if (!initInstance(module, SW_SHOW) || !appState.pattern->loadError.empty()) {
        std::fprintf(stderr, "vellumar-screenshots: %s cannot be started\n", shot.pattern);
        return false;
    }
    paintFirstColours(shot.colourShare);
    while (appState.zoom < shot.zoom) {
        zoomInAt(0, 0);
    }
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
    backend.runUntilIdle();
    const bool saved = codecs::writePng(backend.screen(), shot.output);
    DestroyWindow(appState.mainWindow);
    backend.runUntilIdle();
    destroyAppState();
    platform::resetWindows();
    if (!saved) {
        std::fprintf(stderr, "vellumar-screenshots: %s cannot be written\n", shot.output);
    }
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vellumar-screenshots PATTERN_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string patterns = argv[1];
    const std::string out = argv[2];
    platform::HeadlessBackend backend;
    backend.setProgramPath(platform::utf8ToUtf16(patterns + "/vellumar"));
    const HINSTANCE module = platform::registerModule(vellumarResources);
    const std::string landscape = out + "/landscape.png";
    const std::string portrait = out + "/portrait.png";
    const Shot shots[] = {
        {"Tiger", 960, 642, 3, 2, 1.0f, landscape.c_str()},
        {"Hot-Air Balloon", 720, 882, 3, 3, 1.5f, portrait.c_str()},
    };
    for (const Shot& shot : shots) {
        if (!take(backend, module, patterns, shot)) {
            return 1;
        }
    }
    return 0;
}
