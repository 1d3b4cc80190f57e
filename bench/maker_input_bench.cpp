// The maker's input step beside what a user would otherwise pick: the area
// average beside stb's resampler, reading a JPEG beside stb's decoding alone,
// and drawing an SVG flat beside filling the same raster.
#include <benchmark/benchmark.h>
#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "maker/input/area_scale.h"
#include "maker/input/read_picture.h"

namespace {

constexpr int kWidth = 4096, kHeight = 2731;  // a camera-sized photograph
constexpr Size kTarget{1024, 683};

// Smooth shading with a little noise, like a photograph.
const std::vector<std::uint8_t>& photograph() {
    static const std::vector<std::uint8_t> pixels = [] {
        std::vector<std::uint8_t> rgbx(static_cast<std::size_t>(kWidth) * kHeight * 4);
        std::mt19937 random(7);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                std::uint8_t* p = &rgbx[(static_cast<std::size_t>(y) * kWidth + x) * 4];
                const int noise = static_cast<int>(random() % 16);
                p[0] = static_cast<std::uint8_t>((x * 200 / kWidth) + noise);
                p[1] = static_cast<std::uint8_t>((y * 200 / kHeight) + noise);
                p[2] = static_cast<std::uint8_t>(((x + y) % 256) / 2 + noise);
                p[3] = 255;
            }
        }
        return rgbx;
    }();
    return pixels;
}

const std::string& photographJpeg() {
    static const std::string jpeg = [] {
        std::string bytes;
        stbi_write_jpg_to_func(
            [](void* out, void* data, int size) {
                static_cast<std::string*>(out)->append(static_cast<const char*>(data),
                                                       static_cast<std::size_t>(size));
            },
            &bytes, kWidth, kHeight, 4, photograph().data(), 90);
        return bytes;
    }();
    return jpeg;
}

void AreaAverage(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(areaAverage(photograph().data(), kWidth, kHeight, kTarget));
    }
}
BENCHMARK(AreaAverage)->Unit(benchmark::kMillisecond);

void BaselineStbResize(benchmark::State& state) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kTarget.width) * kTarget.height * 4);
    for (auto _ : state) {
        stbir_resize_uint8(photograph().data(), kWidth, kHeight, 0, out.data(), kTarget.width, kTarget.height,
                           0, 4);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BaselineStbResize)->Unit(benchmark::kMillisecond);

void ReadJpegPicture(benchmark::State& state) {
    const std::string& jpeg = photographJpeg();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readPictureFromMemory(std::as_bytes(std::span(jpeg.data(), jpeg.size()))));
    }
}
BENCHMARK(ReadJpegPicture)->Unit(benchmark::kMillisecond);

void BaselineStbDecodeJpeg(benchmark::State& state) {
    const std::string& jpeg = photographJpeg();
    for (auto _ : state) {
        int w = 0, h = 0, n = 0;
        stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(jpeg.data()),
                                                static_cast<int>(jpeg.size()), &w, &h, &n, 4);
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}
BENCHMARK(BaselineStbDecodeJpeg)->Unit(benchmark::kMillisecond);

// 400 overlapping curved shapes, as busy as a detailed clip-art drawing.
const std::string& drawing() {
    static const std::string svg = [] {
        std::string text = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 1000 700'>";
        std::mt19937 random(3);
        for (int i = 0; i < 400; ++i) {
            const int x = static_cast<int>(random() % 1000), y = static_cast<int>(random() % 700);
            const int r = 10 + static_cast<int>(random() % 120);
            text += "<path fill='#" + std::to_string(100000 + random() % 899999) + "' d='M" +
                    std::to_string(x) + "," + std::to_string(y) + " c" + std::to_string(r) + ",-" +
                    std::to_string(r) + " " + std::to_string(2 * r) + "," + std::to_string(r) + " 0," +
                    std::to_string(2 * r) + " s-" + std::to_string(2 * r) + ",0 -" + std::to_string(r) +
                    ",-" + std::to_string(r) + "z'/>";
        }
        return text + "</svg>";
    }();
    return svg;
}

void ReadSvgPicture(benchmark::State& state) {
    const std::string& svg = drawing();
    for (auto _ : state) {
        benchmark::DoNotOptimize(readPictureFromMemory(std::as_bytes(std::span(svg.data(), svg.size()))));
    }
}
BENCHMARK(ReadSvgPicture)->Unit(benchmark::kMillisecond);

// The same 2048 x 1434 raster filled once with one colour.
void BaselineFillRaster(benchmark::State& state) {
    std::vector<std::uint32_t> raster(2048 * 1434);
    for (auto _ : state) {
        std::fill(raster.begin(), raster.end(), 0xFFFFFFu);
        benchmark::DoNotOptimize(raster.data());
    }
}
BENCHMARK(BaselineFillRaster)->Unit(benchmark::kMillisecond);

}  // namespace
