#include "tests/support/picture_compare.h"

#include <cstdint>
#include <cstdlib>
#include <set>

namespace arttest {

using platform::Pixel;
using platform::Surface;

int bmpBitsPerPixel(std::span<const std::byte> file) {
    if (file.size() < 30 || file[0] != std::byte{'B'} || file[1] != std::byte{'M'}) {
        return 0;
    }
    return static_cast<int>(file[28]) | (static_cast<int>(file[29]) << 8);
}

platform::Surface shrink(const platform::Surface& picture, int factor) {
    platform::Surface out(picture.width() / factor, picture.height() / factor);
    const int n = factor * factor;
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            int sum[3] = {0, 0, 0};
            for (int j = 0; j < factor; ++j) {
                for (int i = 0; i < factor; ++i) {
                    const Pixel p = picture.at(x * factor + i, y * factor + j);
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += static_cast<int>((p >> (16 - 8 * c)) & 0xFF);
                    }
                }
            }
            Pixel p = 0;
            for (int c = 0; c < 3; ++c) {
                p = (p << 8) | static_cast<Pixel>((sum[c] + n / 2) / n);
            }
            out.set(x, y, p);
        }
    }
    return out;
}

namespace {

// The sum of the absolute differences of the three channels.
int channelDifference(Pixel a, Pixel b) {
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return sum;
}

}  // namespace

double shareDifferingBeyond(const platform::Surface& a, const platform::Surface& b, int levels) {
    std::size_t beyond = 0;
    for (std::size_t i = 0; i < a.pixels().size(); ++i) {
        beyond += channelDifference(a.pixels()[i], b.pixels()[i]) > 3 * levels;
    }
    return a.pixels().empty() ? 0.0 : static_cast<double>(beyond) / static_cast<double>(a.pixels().size());
}

double meanAbsoluteDifference(const platform::Surface& a, const platform::Surface& b) {
    std::int64_t total = 0;
    for (std::size_t i = 0; i < a.pixels().size(); ++i) {
        total += channelDifference(a.pixels()[i], b.pixels()[i]);
    }
    return static_cast<double>(total) / (3.0 * static_cast<double>(a.pixels().size()));
}

std::size_t colourCount(const platform::Surface& picture) {
    const std::set<Pixel> colours(picture.pixels().begin(), picture.pixels().end());
    return colours.size();
}

}  // namespace arttest
