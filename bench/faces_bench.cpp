// Drawing every face of the main window (the 51 owner-drawn buttons) on a
// 720 x 882 screen, beside clearing that screen's pixels with memset.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>

#include "app/app_state.h"
#include "app/entry.h"
#include "platform/headless/headless_backend.h"
#include "platform/painting.h"
#include "platform/resources.h"
#include "platform/text.h"
#include "platform/window.h"
#include "platform/window_object.h"

extern const platform::ResourceTable vellumarResources;

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 882;

void BM_AllFiftyOneFaces(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vellumar-faces-bench";
    std::filesystem::create_directories(folder / "config");
    std::filesystem::copy_file(
        std::filesystem::path(VELLUMAR_SOURCE_ROOT) / "resources/patterns/MonaLisa.mza",
        folder / "MonaLisa.mza", std::filesystem::copy_options::overwrite_existing);
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    static const HINSTANCE module = platform::registerModule(vellumarResources);
    platform::HeadlessBackend backend;
    backend.setProgramPath(platform::utf8ToUtf16((folder / "vellumar").string()));
    backend.setScreenSize(kWidth, kHeight);
    backend.setDotsPerInch(288);
    constructAppState();
    initInstance(module, SW_SHOW);
    backend.runUntilIdle();
    int faces = 0;
    int shown = 0;
    for (auto _ : state) {
        faces = shown = 0;
        for (platform::Window* control : appState.mainWindow->children) {
            if (control->windowClass->name == u"Button") {
                InvalidateRect(control, nullptr, FALSE);
                UpdateWindow(control);
                ++faces;
                shown += IsWindowVisible(control) ? 1 : 0;  // hidden ones draw nothing
            }
        }
    }
    state.counters["faces"] = faces;
    state.counters["shown"] = shown;
    DestroyWindow(appState.mainWindow);
    destroyAppState();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AllFiftyOneFaces)->Unit(benchmark::kMicrosecond);

// The baseline: one pass of memset over the same screen's 32-bit pixels.
void BM_MemsetOfTheScreen(benchmark::State& state) {
    platform::Surface screen(kWidth, kHeight);
    for (auto _ : state) {
        std::memset(screen.pixels().data(), 0x5A, screen.pixels().size_bytes());
        benchmark::DoNotOptimize(screen.pixels().data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetOfTheScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
