// Loading a large pattern, and the worst-case search of a tap.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/settings.h"
#include "bench/generated_pattern.h"
#include "pattern/painting.h"
#include "pattern/pattern.h"
#include "platform/headless/headless_backend.h"

namespace {

const std::vector<std::byte>& largePatternBytes() {
    static const std::vector<std::byte> bytes = serializePatternFile(generateCurvePattern({}));
    return bytes;
}

void BM_LoadLargeCurvePattern(benchmark::State& state) {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    long long points = 0;
    double loading = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Pattern pattern(settings);
        loadPatternFromBytes(pattern, largePatternBytes());
        loading += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        points = 0;
        for (const Piece& piece : pattern.pieces) {
            points += piece.totalPoints;
        }
        benchmark::DoNotOptimize(pattern.pieces.data());
    }
    state.counters["pieces"] = 20000;
    state.counters["points"] = static_cast<double>(points);
    state.counters["ns_per_point"] =
        loading * 1e9 / static_cast<double>(state.iterations()) / static_cast<double>(points);
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
