// Loading a large pattern, and the worst-case search of a tap.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <vector>

#include "bench/generated_pattern.h"
#include "core/settings.h"
#include "pattern/painting.h"
#include "pattern/pattern.h"
#include "platform/headless/headless_backend.h"

namespace {

// This thread's CPU time: on a shared machine wall time counts the other
// programs' turns too.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// As many pieces as a file of them may have and still be drawn in time.
constexpr int kLargePieces = 10000;

const std::vector<std::byte>& largePatternBytes() {
    static const std::vector<std::byte> bytes =
        serializePatternFile(generateCurvePattern({.pieces = kLargePieces}));
    return bytes;
}

void BM_LoadLargeCurvePattern(benchmark::State& state) {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    long long points = 0;
    double loading = 0.0;
    for (auto _ : state) {
        const double start = threadSeconds();
        Pattern pattern(settings);
        loadPatternFromBytes(pattern, largePatternBytes());
        loading += threadSeconds() - start;
        if (!pattern.loadError.empty()) {
            state.SkipWithError(pattern.loadError.c_str());
            return;
        }
        points = 0;
        for (const Piece& piece : pattern.pieces) {
            points += piece.totalPoints;
        }
        benchmark::DoNotOptimize(pattern.pieces.data());
    }
    // The baseline, in the same run: a copy of the loaded points, the least
    // any loader must do with them. Its memory is kept for the whole run, as
    // freeing it would change where the next loads' memory comes from.
    const std::size_t bytes = static_cast<std::size_t>(points) * sizeof(POINT);
    static std::vector<std::byte> from(bytes, std::byte{1}), to(bytes);
    constexpr int kCopies = 20;
    const double start = threadSeconds();
    for (int round = 0; round < kCopies; ++round) {
        std::memcpy(to.data(), from.data(), std::min(bytes, to.size()));
        benchmark::ClobberMemory();
    }
    const double copying = threadSeconds() - start;
    const double perPoint =
        loading * 1e9 / static_cast<double>(state.iterations()) / static_cast<double>(points);
    const double copyPerPoint = copying * 1e9 / kCopies / static_cast<double>(points);
    state.counters["pieces"] = kLargePieces;
    state.counters["points"] = static_cast<double>(points);
    state.counters["ns_per_point"] = perPoint;
    state.counters["copy_ns_per_point"] = copyPerPoint;
    state.counters["x_copy"] = perPoint / copyPerPoint;
}
BENCHMARK(BM_LoadLargeCurvePattern)->Unit(benchmark::kMillisecond);

void BM_PaintAtFirstPiece(benchmark::State& state) {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    settings.Sound = 0;
    Pattern pattern(settings);
    loadPatternFromBytes(pattern, largePatternBytes());
    const Piece& first = pattern.pieces[0];
    const std::int32_t x = (first.boundsMinX + first.boundsMaxX) / 2;
    const std::int32_t y = (first.boundsMinY + first.boundsMaxY) / 2;
    std::int32_t index = -1;
    for (auto _ : state) {
        pattern.selectedColour = first.colour;
        benchmark::DoNotOptimize(paintAt(pattern, x, y, index));
    }
    if (index != 0) {
        state.SkipWithError("the tap did not hit the first piece");
    }
}
BENCHMARK(BM_PaintAtFirstPiece)->Unit(benchmark::kMicrosecond);

}  // namespace
