// How fast and how faithfully a picture is cut into regions, at 16 colours
// and 100 pieces, beside two baselines measured in the same run: a copy of
// the picture's pixels, and a plain pass giving every pixel its nearest of 16
// colours. Reports the mean CIE76 difference between the source and the
// regions painted with their palette, and the peak heap while segmenting.
//
// Pictures: a generated photograph-like one and generated flat art, 1024 x
// 768; and, when VELLUMAR_BENCH_PICTURES names a folder, every PNG or JPEG in
// it, scaled down to 1024 pixels on the long side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <unordered_map>

#include "bench/maker_pictures.h"
#include "maker/colour/colour_difference.h"
#include "maker/regions/segment_picture.h"

namespace {

std::atomic<std::size_t> heapInUse{0}, heapPeak{0};

}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size + 16);
    if (!p) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(p) = size;
    const std::size_t now = heapInUse += size;
    std::size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(p) + 16;
}

// The block came from malloc in operator new above; GCC cannot see that.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept {
    if (p) {
        void* block = static_cast<char*>(p) - 16;
        heapInUse -= *static_cast<std::size_t*>(block);
        std::free(block);
    }
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

const RegionOptions kOptions{16, 100, 3.0, {}};

double meanCie76(const Picture& picture, const Segmentation& segmentation) {
    std::unordered_map<std::uint32_t, Lab> cache;
    const auto lab = [&](std::uint32_t rgb) {
        auto [it, added] = cache.try_emplace(rgb);
        if (added) {
            it->second = labOf(rgb);
        }
        return it->second;
    };
    double total = 0;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t painted = segmentation.palette[segmentation.colourOf[segmentation.regionOf[i]]];
        total += cie76(lab(picture.pixels[i]), lab(painted));
    }
    return total / static_cast<double>(picture.pixels.size());
}

void segment(benchmark::State& state, const Picture& picture) {
    Segmentation segmentation;
    SegmentReport report;
    const std::size_t before = heapInUse.load();
    heapPeak = before;
    for (auto _ : state) {
        segmentation = segmentPicture(picture, kOptions, &report);
        benchmark::DoNotOptimize(segmentation.regionOf.data());
    }
    state.counters["peakMiB"] = static_cast<double>(heapPeak.load() - before) / (1 << 20);
    state.counters["pieces"] = segmentation.regionCount();
    state.counters["colours"] = static_cast<double>(segmentation.palette.size());
    state.counters["meanCIE76"] = meanCie76(picture, segmentation);
    state.counters["targetMet"] = report.targetMet;
    state.SetLabel(report.note);
}

void BM_CopyPixels(benchmark::State& state) {
    const Picture& picture = photographLike();
    std::vector<std::uint32_t> copy(picture.pixels.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), picture.pixels.data(), picture.pixels.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyPixels)->Unit(benchmark::kMillisecond);

// Each pixel to the nearest of 16 fixed colours, by squared RGB distance.
void BM_NearestOf16Colours(benchmark::State& state) {
    const Picture& picture = photographLike();
    std::uint32_t palette[16];
    for (int c = 0; c < 16; ++c) {
        palette[c] = static_cast<std::uint32_t>(c * 0x0f0f0f + (c % 3) * 0x300000);
    }
    std::vector<std::uint8_t> nearest(picture.pixels.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
            const std::uint32_t p = picture.pixels[i];
            int best = 0, bestDistance = 1 << 30;
            for (int c = 0; c < 16; ++c) {
                const int dr = int(p >> 16 & 255) - int(palette[c] >> 16 & 255);
                const int dg = int(p >> 8 & 255) - int(palette[c] >> 8 & 255),
                          db = int(p & 255) - int(palette[c] & 255);
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestDistance) {
                    bestDistance = d;
                    best = c;
                }
            }
            nearest[i] = static_cast<std::uint8_t>(best);
        }
        benchmark::DoNotOptimize(nearest.data());
    }
}
BENCHMARK(BM_NearestOf16Colours)->Unit(benchmark::kMillisecond);

void BM_SegmentPhotographLike(benchmark::State& state) {
    segment(state, photographLike());
}
BENCHMARK(BM_SegmentPhotographLike)->Unit(benchmark::kMillisecond);

void BM_SegmentFlatArt(benchmark::State& state) {
    segment(state, flatArt());
}
BENCHMARK(BM_SegmentFlatArt)->Unit(benchmark::kMillisecond);

// Every picture of the folder named by VELLUMAR_BENCH_PICTURES, one benchmark each.
[[maybe_unused]] const int registeredPictures = [] {
    const char* folder = std::getenv("VELLUMAR_BENCH_PICTURES");
    if (!folder) {
        return 0;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    int count = 0;
    for (const auto& file : files) {
        auto picture = std::make_shared<Picture>(loadScaledPicture(file.string(), 1024));
        if (picture->pixels.empty()) {
            continue;
        }
        benchmark::RegisterBenchmark(("BM_Segment/" + file.filename().string()).c_str(),
                                     [picture](benchmark::State& state) { segment(state, *picture); })
            ->Unit(benchmark::kMillisecond);
        ++count;
    }
    return count;
}();

}  // namespace
