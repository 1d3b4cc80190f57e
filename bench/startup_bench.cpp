// The whole game, headless, with the bundled default pattern: from nothing to
// the first painted frame, and every face of the main window (the 51
// owner-drawn buttons) drawn on a 720 x 882 screen beside clearing that
// screen's pixels with memset.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/app_state.h"
#include "app/entry.h"
#include "platform/base/text.h"
#include "platform/headless/headless_backend.h"
#include "platform/system/resources.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

extern const platform::ResourceTable vellumarResources;

namespace {

// A program folder with the default pattern and a settings folder of its own.
class GameFolder {
  public:
    explicit GameFolder(const char* name) : folder_(std::filesystem::temp_directory_path() / name) {
        std::filesystem::create_directories(folder_ / "config");
        std::filesystem::copy_file(
            std::filesystem::path(VELLUMAR_SOURCE_ROOT) / "resources/patterns/MonaLisa.mza",
            folder_ / "MonaLisa.mza", std::filesystem::copy_options::overwrite_existing);
        setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
    }
    ~GameFolder() { std::filesystem::remove_all(folder_); }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    // Starts the game on `backend`, whose screen is width x height at `dpi`.
    void startGame(platform::HeadlessBackend& backend, int width, int height, int dpi) const {
        static const HINSTANCE module = platform::registerModule(vellumarResources);
        backend.setProgramPath(platform::utf8ToUtf16((folder_ / "vellumar").string()));
        backend.setScreenSize(width, height);
        backend.setDotsPerInch(dpi);
        constructAppState();
        initInstance(module, SW_SHOW);
        backend.runUntilIdle();  // the first frame is painted
    }

  private:
    std::filesystem::path folder_;
};

void stopGame() {
    DestroyWindow(appState.mainWindow);
    destroyAppState();
}

void BM_StartUpToTheFirstFrame(benchmark::State& state) {
    const GameFolder folder("vellumar-startup-bench");
    for (auto _ : state) {
        platform::HeadlessBackend backend;
        folder.startGame(backend, 480, 588, 192);
        state.PauseTiming();
        stopGame();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToTheFirstFrame)->Unit(benchmark::kMillisecond);

constexpr int kWidth = 720;
constexpr int kHeight = 882;

void BM_AllFiftyOneFaces(benchmark::State& state) {
    const GameFolder folder("vellumar-faces-bench");
    platform::HeadlessBackend backend;
    folder.startGame(backend, kWidth, kHeight, 288);
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
    stopGame();
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
