// The outline step of the pattern maker on pictures of the size the maker
// works at (1024 x 768) cut into about 100 and about 1000 regions with
// wavy borders, beside a baseline measured in the same run: one pass over
// the region map counting border pixels.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "maker/outline/outline_pattern.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// Cells around random seeds with wavy borders, each cell a colour of 16;
// regions are the 4-connected runs of one colour, as the region step hands them over.
Segmentation wavyCells(int cells, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> across(0, kWidth), down(0, kHeight), phase(0, 6.3);
    struct Seed {
        double x, y, phase;
    };
    std::vector<Seed> seeds(static_cast<std::size_t>(cells));
    for (Seed& s : seeds) {
        s = {across(random), down(random), phase(random)};
    }
    const double wave = std::sqrt(static_cast<double>(kWidth) * kHeight / cells) / 6;
    std::vector<int> colour(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double wx = x + wave * std::sin(y / 23.0), wy = y + wave * std::cos(x / 19.0);
            double best = 1e300;
            int nearest = 0;
            for (int i = 0; i < cells; ++i) {
                const double d =
                    (wx - seeds[i].x) * (wx - seeds[i].x) + (wy - seeds[i].y) * (wy - seeds[i].y);
                if (d < best) {
                    best = d;
                    nearest = i;
                }
            }
            colour[static_cast<std::size_t>(y) * kWidth + x] = nearest;
        }
    }
    Segmentation s;
    s.width = kWidth;
    s.height = kHeight;
    for (int c = 0; c < 16; ++c) {
        s.palette.push_back(static_cast<std::uint32_t>(c * 0x0F0D0B));
    }
    s.regionOf.assign(colour.size(), -1);
    std::vector<std::size_t> stack;
    for (std::size_t start = 0; start < colour.size(); ++start) {
        if (s.regionOf[start] >= 0) {
            continue;
        }
        const auto region = static_cast<std::int32_t>(s.colourOf.size());
        s.colourOf.push_back(colour[start] % 16);
        s.regionOf[start] = region;
        stack.assign(1, start);
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            const int x = static_cast<int>(i % kWidth), y = static_cast<int>(i / kWidth);
            const std::size_t next[4] = {i - 1, i + 1, i - kWidth, i + kWidth};
            const bool inside[4] = {x > 0, x + 1 < kWidth, y > 0, y + 1 < kHeight};
            for (int k = 0; k < 4; ++k) {
                if (inside[k] && s.regionOf[next[k]] < 0 && colour[next[k]] == colour[i]) {
                    s.regionOf[next[k]] = region;
                    stack.push_back(next[k]);
                }
            }
        }
    }
    return s;
}

const Segmentation& pictureOf(int cells) {
    static const Segmentation hundred = wavyCells(100, 7);
    static const Segmentation thousand = wavyCells(1000, 11);
    return cells == 100 ? hundred : thousand;
}

void BM_Baseline_CountBorderPixels(benchmark::State& state) {
    const Segmentation& s = pictureOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        long border = 0;
        for (int y = 0; y + 1 < s.height; ++y) {
            const std::int32_t* row = &s.regionOf[static_cast<std::size_t>(y) * s.width];
            for (int x = 0; x + 1 < s.width; ++x) {
                border += (row[x] != row[x + 1]) | (row[x] != row[x + s.width]);
            }
        }
        benchmark::DoNotOptimize(border);
    }
    state.counters["regions"] = s.regionCount();
}

void BM_OutlinePattern(benchmark::State& state, GeometryVariant variant) {
    const Segmentation& s = pictureOf(static_cast<int>(state.range(0)));
    std::size_t paths = 0, edges = 0, curvesOrPoints = 0;
    for (auto _ : state) {
        std::string error;
        const auto file = outlinePattern(s, OutlineOptions{variant}, error);
        if (!file) {
            state.SkipWithError(error.c_str());
            return;
        }
        paths = file->paths.size();
        edges = file->edges.size();
        curvesOrPoints = variant == GeometryVariant::Curves ? file->curves.size() : file->points.size();
        benchmark::DoNotOptimize(file->pieces.data());
    }
    state.counters["regions"] = s.regionCount();
    state.counters["paths"] = static_cast<double>(paths);
    state.counters["edges"] = static_cast<double>(edges);
    state.counters[variant == GeometryVariant::Curves ? "curves" : "points"] =
        static_cast<double>(curvesOrPoints);
}

}  // namespace

BENCHMARK(BM_Baseline_CountBorderPixels)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OutlinePattern, curves, GeometryVariant::Curves)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OutlinePattern, polylines, GeometryVariant::Polylines)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
