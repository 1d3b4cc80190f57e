// One full redraw at the largest board of the heaviest file of each hostile
// kind that still loads, beside a memset of the same surface in the same run.
// A frame must stay under 100 ms; the counters give the frame's multiple of
// the memset, the work the reader counted and how many pieces it took.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>

#include "core/settings.h"
#include "bench/generated_pattern.h"
#include "pattern/drawing_work.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/headless/headless_backend.h"
#include "platform/pixels/surface.h"
#include "render/board_picture.h"

namespace {

constexpr int kWidth = kLargestBoardWidth;
constexpr int kHeight = kLargestBoardHeight;

// A kind of file, made heavier by its one parameter (pieces, or height).
using Generator = std::function<PatternFile(int parameter)>;

bool loads(const Generator& generate, int parameter) {
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};
    loadPatternFromBytes(pattern, serializePatternFile(generate(parameter)));
    return pattern.loadError.empty();
}

// The largest parameter up to `most` whose file loads.
int heaviestThatLoads(const Generator& generate, int most) {
    int low = 0, high = most + 1;  // loads(low), !loads(high)
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (loads(generate, middle) ? low : high) = middle;
    }
    return low;
}

double memsetMilliseconds(platform::Surface& surface) {
    double best = 1e9;
    for (int round = 0; round < 20; ++round) {
        const auto start = std::chrono::steady_clock::now();
        std::memset(surface.pixels().data(), round, surface.pixels().size_bytes());
        benchmark::ClobberMemory();
        best = std::min(
            best,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void frameOf(benchmark::State& state, const Generator& generate, int most) {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};
    const int parameter = heaviestThatLoads(generate, most);

    loadPatternFromBytes(pattern, serializePatternFile(generate(parameter)));
    fitToBoard(pattern, kWidth / 2, kHeight / 2, kWidth, kHeight);
    platform::Surface window{kWidth, kHeight};
    const HDC dc = platform::createSurfaceDC(window);
    HBITMAP buffer = nullptr;
    const GameBoardBrushes brushes{288};
    const BoardView view{{0, 0, kWidth, kHeight}, 1.0f, 0, 0};
    const double memset = memsetMilliseconds(window);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        drawBoard(dc, buffer, &pattern, view, brushes.get());
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    DeleteObject(buffer);
    DeleteDC(dc);
    const double frame = total / static_cast<double>(state.iterations());
    const DrawingWork work = measureDrawingWork(pattern.pieces, pattern.viewTransform);
    state.counters["crossings"] = static_cast<double>(work.crossings);
    state.counters["filled"] = static_cast<double>(work.filledPixels);
    state.counters["lines"] = static_cast<double>(work.linePixels);
    state.counters["estimate_ms"] = static_cast<double>(work.estimatedNanoseconds()) / 1e6;
    state.counters["parameter"] = parameter;
    state.counters["pieces"] = static_cast<double>(pattern.pieces.size());
    state.counters["memset_ms"] = memset;
    state.counters["x_memset"] = frame / memset;
}

// The files at full size (181 zig-zag pieces of 44,000 points; 31,150
// curves of 256 points in 178 pieces; 32,767 pieces over the whole picture)
// are refused: the points alone would take a frame over 100 ms. These are
// the most pieces of each kind that load, the first two kept one board row
// or a dozen tall so that any of them load at all.
void BM_ZigzagFrame(benchmark::State& state) {
    frameOf(
        state, [](int pieces) { return generateZigzagPattern(pieces, 44000, 10); }, 181);
}
void BM_WavyCurveFrame(benchmark::State& state) {
    frameOf(
        state, [](int pieces) { return generateWavyCurvePattern(pieces, 175, 100); }, 178);
}
void BM_CoveringFrame(benchmark::State& state) {
    frameOf(state, generateCoveringPattern, 32767);
}
// The most of the small pieces of board_bench.cpp (which cap at 21,845), numbered.
void BM_ManyPiecesFrame(benchmark::State& state) {
    frameOf(
        state, [](int pieces) { return generateCurvePattern({.pieces = pieces}); }, 21845);
}
BENCHMARK(BM_ZigzagFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WavyCurveFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CoveringFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ManyPiecesFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
