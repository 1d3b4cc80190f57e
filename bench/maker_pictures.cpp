#include "bench/maker_pictures.h"

// Decoding is needed only here, to measure real pictures.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

namespace {

constexpr int kWidth = 1024, kHeight = 768;

// A fixed hash of a number, in [0, 1): noise and shape placement that are the
// same on every run.
double hashUnit(std::uint64_t n) {
    n = (n ^ (n >> 33)) * 0xff51afd7ed558ccdull;
    n = (n ^ (n >> 33)) * 0xc4ceb9fe1a85ec53ull;
    return static_cast<double>((n ^ (n >> 33)) >> 11) * 0x1.0p-53;
}

std::uint32_t rgb(double r, double g, double b) {
    const auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0l, 255l));
    };
    return channel(r) << 16 | channel(g) << 8 | channel(b);
}

struct Shape {
    double cx, cy, rx, ry;
    double r, g, b;
    bool ellipse;
};

std::vector<Shape> shapes(int count, std::uint64_t seed) {
    std::vector<Shape> result;
    for (int i = 0; i < count; ++i) {
        const auto u = [&](int k) { return hashUnit(seed + 16 * i + k); };
        result.push_back({u(0) * kWidth, u(1) * kHeight, 8 + u(2) * u(2) * 160, 8 + u(3) * u(3) * 120, u(4) * 255,
                          u(5) * 255, u(6) * 255, u(7) < 0.5});
    }
    return result;
}

// How far inside the shape a point lies: above 0 inside, 1 at the centre.
double inside(const Shape& s, double x, double y) {
    const double dx = (x - s.cx) / s.rx, dy = (y - s.cy) / s.ry;
    return 1.0 - (s.ellipse ? std::sqrt(dx * dx + dy * dy) : std::max(std::fabs(dx), std::fabs(dy)));
}

Picture makePhotographLike() {
    Picture picture{kWidth, kHeight, std::vector<std::uint32_t>(kWidth * kHeight), false};
    const std::vector<Shape> objects = shapes(150, 1000);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double t = static_cast<double>(y) / kHeight, s = static_cast<double>(x) / kWidth;
            double r = 90 + 120 * t + 30 * std::sin(6 * s), g = 140 + 60 * std::sin(3 * s + 2 * t),
                   b = 220 - 150 * t;
            for (const Shape& shape : objects) {
                const double depth = inside(shape, x, y);
                // Soft edges two pixels wide, and shading towards the centre.
                const double cover = std::clamp(depth * std::max(shape.rx, shape.ry) / 2.0 + 0.5, 0.0, 1.0);
                const double shade = 0.75 + 0.35 * std::max(depth, 0.0);
                r += cover * (shape.r * shade - r);
                g += cover * (shape.g * shade - g);
                b += cover * (shape.b * shade - b);
            }
            const std::uint64_t n = static_cast<std::uint64_t>(y) * kWidth + x;
            const double noise = 8 * (hashUnit(3 * n) + hashUnit(3 * n + 1) + hashUnit(3 * n + 2) - 1.5);
            picture.pixels[n] = rgb(r + noise, g + noise + 4 * (hashUnit(n + 7) - 0.5), b + noise);
        }
    }
    return picture;
}

Picture makeFlatArt() {
    Picture picture{kWidth, kHeight, std::vector<std::uint32_t>(kWidth * kHeight, 0xf4efe1), true};
    const std::uint32_t colours[12] = {0x1b1b1b, 0xd62828, 0xf77f00, 0xfcbf49, 0x2a9d8f, 0x264653,
                                       0x6a4c93, 0x8ac926, 0x1982c4, 0xff595e, 0xffffff, 0x8d6e63};
    const std::vector<Shape> objects = shapes(150, 5000);
    for (std::size_t k = 0; k < objects.size(); ++k) {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (inside(objects[k], x, y) > 0) {
                    picture.pixels[static_cast<std::size_t>(y) * kWidth + x] = colours[k % 12];
                }
            }
        }
    }
    return picture;
}

}  // namespace

const Picture& photographLike() {
    static const Picture picture = makePhotographLike();
    return picture;
}

const Picture& flatArt() {
    static const Picture picture = makeFlatArt();
    return picture;
}

Picture loadScaledPicture(const std::string& path, int longSide) {
    int w = 0, h = 0, channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> data(stbi_load(path.c_str(), &w, &h, &channels, 3),
                                                   stbi_image_free);
    if (!data || w <= 0 || h <= 0) {
        return {};
    }
    const double scale = std::min(1.0, static_cast<double>(longSide) / std::max(w, h));
    const int sw = std::max(1, static_cast<int>(w * scale)), sh = std::max(1, static_cast<int>(h * scale));
    Picture picture{sw, sh, std::vector<std::uint32_t>(static_cast<std::size_t>(sw) * sh), false};
    // Area average: every source pixel adds to the target pixel it falls in.
    std::vector<double> sums(static_cast<std::size_t>(sw) * sh * 4, 0.0);
    for (int y = 0; y < h; ++y) {
        const int ty = std::min(sh - 1, static_cast<int>(y * scale));
        for (int x = 0; x < w; ++x) {
            const int tx = std::min(sw - 1, static_cast<int>(x * scale));
            double* sum = &sums[(static_cast<std::size_t>(ty) * sw + tx) * 4];
            const stbi_uc* p = data.get() + (static_cast<std::size_t>(y) * w + x) * 3;
            sum[0] += p[0];
            sum[1] += p[1];
            sum[2] += p[2];
            sum[3] += 1;
        }
    }
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const double* sum = &sums[i * 4];
        picture.pixels[i] = rgb(sum[0] / sum[3], sum[1] / sum[3], sum[2] / sum[3]);
    }
    return picture;
}
