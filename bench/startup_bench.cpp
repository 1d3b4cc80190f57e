// From nothing to the first painted frame of the game with its default
// pattern, headless.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "app/app_state.h"
#include "app/entry.h"
#include "platform/headless/headless_backend.h"
#include "platform/resources.h"
#include "platform/text.h"
#include "platform/window.h"

extern const platform::ResourceTable vellumarResources;

namespace {

void BM_StartUpToTheFirstFrame(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vellumar-startup-bench";
    std::filesystem::create_directories(folder / "config");
    std::filesystem::copy_file(
        std::filesystem::path(VELLUMAR_SOURCE_ROOT) / "resources/patterns/MonaLisa.mza",
        folder / "MonaLisa.mza", std::filesystem::copy_options::overwrite_existing);
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    static const HINSTANCE module = platform::registerModule(vellumarResources);
    for (auto _ : state) {
        platform::HeadlessBackend backend;
        backend.setProgramPath(platform::utf8ToUtf16((folder / "vellumar").string()));
        backend.setScreenSize(480, 588);
        backend.setDotsPerInch(192);
        constructAppState();
        initInstance(module, SW_SHOW);
        backend.runUntilIdle();  // the first frame is painted
        state.PauseTiming();
        DestroyWindow(appState.mainWindow);
        destroyAppState();
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StartUpToTheFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
