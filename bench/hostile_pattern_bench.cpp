// One full redraw at the largest board of the heaviest file of each hostile
// kind that still loads, whole and zoomed in, beside a memset of the same
// surface in the same run. A frame must stay under 100 ms of CPU time; the
// counters give the slowest frame, the average frame's multiple of the
// memset, the reader's estimate of the costliest frame and how many pieces
// the file could have.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
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

// Frames and memsets are timed on this thread's CPU clock: on a shared
// machine wall time counts the other programs' turns too.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

double memsetMilliseconds(platform::Surface& surface) {
    double best = 1e9;
    for (int round = 0; round < 20; ++round) {
        const double start = threadMilliseconds();
        std::memset(surface.pixels().data(), round, surface.pixels().size_bytes());
        benchmark::ClobberMemory();
        best = std::min(best, threadMilliseconds() - start);
    }
    return best;
}

// Where a frame is drawn: the whole picture, or the costliest window the
// reader counted at its zoom, or that window at the largest zoom that still
// shows anything (a window at least 2 pattern units a side), moved into the
// first piece's box so that the tiny window shows the file's outlines.
enum class Frame { Whole, CostliestZoom, LargestZoom };

float largestZoom(const ViewTransform& fit) {
    float zoom = 1.0f;
    while (static_cast<float>(fit.fitWidth) / (zoom * 1.5f) >= 2.0f &&
           static_cast<float>(fit.fitHeight) / (zoom * 1.5f) >= 2.0f) {
        zoom *= 1.5f;
    }
    return zoom;
}

BoardView viewOf(Frame frame, const ViewTransform& fit, const DrawingWork& work, const Piece& first) {
    if (frame == Frame::Whole) {
        return {{0, 0, kWidth, kHeight}, 1.0f, 0, 0};
    }
    const BoardScale scale = boardScale(fit);
    auto centreX = static_cast<std::int32_t>((work.windowX - fit.screenCentreX) / scale.x);
    auto centreY = static_cast<std::int32_t>((work.windowY - fit.screenCentreY) / scale.y);
    const bool largest = frame == Frame::LargestZoom || work.zoom == 0.0;
    if (largest) {
        centreX = std::clamp(centreX, first.boundsMinX, std::max(first.boundsMinX, first.boundsMaxX));
        centreY = std::clamp(centreY, first.boundsMinY, std::max(first.boundsMinY, first.boundsMaxY));
    }
    const float zoom = largest ? largestZoom(fit) : static_cast<float>(work.zoom);
    return {{0, 0, kWidth, kHeight}, zoom, centreX, centreY};
}

void frameOf(benchmark::State& state, const Generator& generate, int most) {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};
    const int parameter = heaviestThatLoads(generate, most);

    loadPatternFromBytes(pattern, serializePatternFile(generate(parameter)));
    fitToBoard(pattern, kWidth, kHeight);
    setZoom(pattern, 1.0f);
    const DrawingWork work = measureDrawingWork(pattern.pieces, pattern.viewTransform);
    if (pattern.pieces.empty()) {
        state.SkipWithError("no file of this kind loads");
        return;
    }
    const BoardView view =
        viewOf(static_cast<Frame>(state.range(0)), pattern.viewTransform, work, pattern.pieces[0]);
    platform::Surface window{kWidth, kHeight};
    const HDC dc = platform::createSurfaceDC(window);
    HBITMAP buffer = nullptr;
    const GameBoardBrushes brushes{288};
    const double memset = memsetMilliseconds(window);
    double total = 0, slowest = 0;
    for (auto _ : state) {
        const double start = threadMilliseconds();
        drawBoard(dc, buffer, &pattern, view, brushes.get());
        const double frame = threadMilliseconds() - start;
        state.SetIterationTime(frame / 1e3);
        total += frame;
        slowest = std::max(slowest, frame);
    }
    DeleteObject(buffer);
    DeleteDC(dc);
    const double frame = total / static_cast<double>(state.iterations());
    state.counters["zoom"] = view.zoom;
    state.counters["slowest_ms"] = slowest;
    state.counters["estimate_ms"] = static_cast<double>(work.estimatedNanoseconds()) / 1e6;
    state.counters["parameter"] = parameter;
    state.counters["pieces"] = static_cast<double>(pattern.pieces.size());
    state.counters["memset_ms"] = memset;
    state.counters["x_memset"] = frame / memset;
}

// The files at full size (181 zig-zag pieces of 44,000 points; 31,150
// curves of 256 points in 178 pieces; 32,767 pieces over the whole picture)
// are refused. These are the heaviest of each kind that load: the zig-zag
// one board row tall, of as many points as load (no piece of 44,000 does:
// magnified, each of its edges could cross every row of the window), the
// waves a dozen rows tall, and as many pieces of the others as load.
void BM_ZigzagFrame(benchmark::State& state) {
    frameOf(
        state, [](int points) { return generateZigzagPattern(1, points, 10); }, 44000);
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
// Each kind whole (0), in its costliest window at the zoom the reader found
// costliest (1), and in that window at the largest zoom (2).
BENCHMARK(BM_ZigzagFrame)->DenseRange(0, 2)->ArgName("frame")->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WavyCurveFrame)
    ->DenseRange(0, 2)
    ->ArgName("frame")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_CoveringFrame)
    ->DenseRange(0, 2)
    ->ArgName("frame")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_ManyPiecesFrame)
    ->DenseRange(0, 2)
    ->ArgName("frame")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

}  // namespace
