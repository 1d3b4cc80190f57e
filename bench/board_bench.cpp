// Drawing the board of a large pattern: the full redraw, a tap's quick
// redraw, and a full redraw zoomed in, where only the visible pieces count.
// The full redraws report their time beside a memset of the same board
// surface, measured in the same run, and the ratio of the two.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/settings.h"
#include "bench/generated_pattern.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/headless/headless_backend.h"
#include "platform/pixels/surface.h"
#include "render/board_picture.h"

namespace {

// Both sides of a ratio are timed on this thread's CPU clock: on a shared
// machine wall time counts the other programs' turns too.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

const std::vector<std::byte>& generatedBoardBytes() {
    static const std::vector<std::byte> bytes = serializePatternFile(generateCurvePattern({.pieces = 5000}));
    return bytes;
}

const std::vector<std::byte>& monaLisaBytes() {
    static const std::vector<std::byte> bytes = [] {
        std::ifstream in(std::filesystem::path(VELLUMAR_SOURCE_ROOT) / "resources/patterns/MonaLisa.mza",
                         std::ios::binary);
        std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::vector<std::byte> out(chars.size());
        std::memcpy(out.data(), chars.data(), chars.size());
        return out;
    }();
    return bytes;
}

struct BoardFixture {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};
    int width, height;
    platform::Surface window;
    HDC dc;
    HBITMAP buffer = nullptr;
    GameBoardBrushes ownedBrushes{288};
    const BoardBrushes& brushes = ownedBrushes.get();
    BoardView view;

    BoardFixture(const std::vector<std::byte>& bytes, int w, int h)
        : width(w),
          height(h),
          window(w, h),
          dc(platform::createSurfaceDC(window)),
          view{{0, 0, w, h}, 1.0f, 0, 0} {
        if (bytes.empty()) {
            return;
        }
        loadPatternFromBytes(pattern, bytes);
        fitToBoard(pattern, width, height);
        // Every fourth piece painted, as in a game under way.
        for (std::size_t k = 0; k < pattern.pieces.size(); k += 4) {
            pattern.pieces[k].painted = 1;
            pattern.pieces[k].paintedColour = pattern.pieces[k].colour;
        }
    }
    ~BoardFixture() {
        DeleteObject(buffer);
        DeleteDC(dc);
    }
};

// The cost of writing every byte of a width x height board once.
double memsetSeconds(int width, int height) {
    platform::Surface surface(width, height);
    const std::size_t bytes = surface.pixels().size_bytes();
    constexpr int kRounds = 200;
    const double start = threadSeconds();
    for (int round = 0; round < kRounds; ++round) {
        std::memset(surface.pixels().data(), round & 0xFF, bytes);
        benchmark::ClobberMemory();
    }
    return (threadSeconds() - start) / kRounds;
}

void fullRedraw(benchmark::State& state, BoardFixture& board) {
    double drawing = 0.0;
    for (auto _ : state) {
        const double start = threadSeconds();
        drawBoard(board.dc, board.buffer, &board.pattern, board.view, board.brushes);
        drawing += threadSeconds() - start;
    }
    const double memset = memsetSeconds(board.width, board.height);
    state.counters["memset_us"] = memset * 1e6;
    state.counters["x_memset"] = drawing / static_cast<double>(state.iterations()) / memset;
}

void BM_FullRedrawGenerated5000(benchmark::State& state) {
    BoardFixture board(generatedBoardBytes(), 720, 882);
    board.view.zoom = static_cast<float>(state.range(0)) / 100.0f;
    board.view.centreX = state.range(0) > 100 ? -3000 : 0;
    fullRedraw(state, board);
}
BENCHMARK(BM_FullRedrawGenerated5000)->Arg(100)->Arg(759)->ArgName("zoom%")->Unit(benchmark::kMillisecond);

void BM_FullRedrawMonaLisa(benchmark::State& state) {
    BoardFixture board(monaLisaBytes(), 1440, 1764);
    if (board.pattern.pieces.empty()) {
        state.SkipWithError("MonaLisa.mza did not load");
        return;
    }
    fullRedraw(state, board);
}
BENCHMARK(BM_FullRedrawMonaLisa)->Unit(benchmark::kMillisecond);

void BM_QuickRedrawAfterATap(benchmark::State& state) {
    BoardFixture board(generatedBoardBytes(), 720, 882);
    drawBoard(board.dc, board.buffer, &board.pattern, board.view, board.brushes);
    // A piece in the middle of the file: half the pieces are refilled after it.
    const std::int32_t index = static_cast<std::int32_t>(board.pattern.pieces.size() / 2);
    for (auto _ : state) {
        drawBoardFrom(board.dc, board.buffer, &board.pattern, board.view, board.brushes, index);
    }
}
BENCHMARK(BM_QuickRedrawAfterATap)->Unit(benchmark::kMillisecond);

}  // namespace
