#include "maker/input/area_scale.h"

#include <algorithm>

namespace {

// Old pixel j, n units wide, covers [j n, (j + 1) n); new pixel i, N units
// wide, covers [i N, (i + 1) N). As n <= N an old pixel meets at most two new
// ones: `first` with `weight` units and the next with the rest of its n.
struct Share {
    int first = 0;
    std::uint64_t weight = 0;
};

std::vector<Share> sharesOf(int oldCount, int newCount) {
    const std::uint64_t n = static_cast<std::uint64_t>(newCount), N = static_cast<std::uint64_t>(oldCount);
    std::vector<Share> shares(static_cast<std::size_t>(oldCount));
    for (std::uint64_t j = 0; j < N; ++j) {
        const std::uint64_t start = j * n;
        const std::uint64_t first = start / N;
        shares[j] = {static_cast<int>(first), std::min((first + 1) * N, start + n) - start};
    }
    return shares;
}

}  // namespace

Size fittedSize(int width, int height, int maxLongSide) {
    const std::int64_t longSide = std::max(width, height);
    if (longSide <= maxLongSide) {
        return {width, height};
    }
    auto side = [&](std::int64_t s) {
        return static_cast<int>(std::max<std::int64_t>(1, (s * maxLongSide + longSide / 2) / longSide));
    };
    return {side(width), side(height)};
}

std::vector<std::uint32_t> areaAverage(const std::uint8_t* rgbx, int width, int height, Size to) {
    const std::vector<Share> columns = sharesOf(width, to.width);
    const std::vector<Share> rows = sharesOf(height, to.height);
    const std::uint64_t unitsX = static_cast<std::uint64_t>(to.width);
    const std::uint64_t unitsY = static_cast<std::uint64_t>(to.height);
    const std::uint64_t total = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const std::size_t rowLength = static_cast<std::size_t>(to.width) * 3 + 3;  // + a spare pixel
    std::vector<std::uint64_t> across(rowLength), current(rowLength), next(rowLength);
    std::vector<std::uint32_t> out(static_cast<std::size_t>(to.width) * to.height);
    int row = 0;
    auto emit = [&] {
        std::uint32_t* target = out.data() + static_cast<std::size_t>(row) * to.width;
        for (int x = 0; x < to.width; ++x) {
            std::uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c) {
                pixel = (pixel << 8) | static_cast<std::uint32_t>((current[x * 3 + c] + total / 2) / total);
            }
            target[x] = pixel;
        }
        std::swap(current, next);
        std::ranges::fill(next, 0);
        ++row;
    };
    for (int y = 0; y < height; ++y) {
        std::ranges::fill(across, 0);
        const std::uint8_t* p = rgbx + static_cast<std::size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, p += 4) {
            const Share s = columns[x];
            for (int c = 0; c < 3; ++c) {
                across[s.first * 3 + c] += s.weight * p[c];
                across[s.first * 3 + 3 + c] += (unitsX - s.weight) * p[c];
            }
        }
        const Share s = rows[y];
        while (row < s.first) {
            emit();
        }
        for (std::size_t i = 0; i + 3 < rowLength; ++i) {
            current[i] += s.weight * across[i];
            next[i] += (unitsY - s.weight) * across[i];
        }
    }
    while (row < to.height) {
        emit();
    }
    return out;
}
