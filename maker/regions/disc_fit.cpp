#include "maker/regions/disc_fit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kAxial = 5, kDiagonal = 7;

}  // namespace

// A pixel centre at distance d from the nearest foreign pixel centre holds a
// disc of radius d - 0.5 (the foreign pixel's near edge), so the disc fits
// where d >= radius + 0.5.
DiscFit::DiscFit(const RegionMap& map, double radius)
    : map_(map),
      cap_(static_cast<std::uint16_t>(
          std::clamp(std::ceil(kAxial * (std::max(radius, 0.0) + 0.5) - 1e-9), 1.0, 60000.0))),
      distance_(map.regionOf.size()),
      coreCount_(map.colourOf.size(), 0) {
    recompute(0, 0, map.width - 1, map.height - 1);
}

void DiscFit::merged(std::int32_t from, std::int32_t into, int minX, int minY, int maxX, int maxY) {
    coreCount_[into] += coreCount_[from];
    coreCount_[from] = 0;
    // Distances can only change within a capped distance of the absorbed pixels.
    const int margin = cap_ / kAxial + 2;
    recompute(std::max(minX - margin, 0), std::max(minY - margin, 0), std::min(maxX + margin, map_.width - 1),
              std::min(maxY + margin, map_.height - 1));
}

// Seeds each pixel of the box with its distance to a foreign neighbour (or the
// cap), then runs the two chamfer passes; pixels outside the box keep their
// values and serve as the boundary.
void DiscFit::recompute(int minX, int minY, int maxX, int maxY) {
    const int w = map_.width, h = map_.height;
    const std::int32_t* region = map_.regionOf.data();
    const auto at = [w](int x, int y) { return static_cast<std::ptrdiff_t>(y) * w + x; };
    const auto foreign = [&](std::int32_t own, int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h || region[at(x, y)] != own;
    };
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            const std::int32_t own = region[at(x, y)];
            int d = cap_;
            if (foreign(own, x - 1, y) || foreign(own, x + 1, y) || foreign(own, x, y - 1) ||
                foreign(own, x, y + 1)) {
                d = kAxial;
            } else if (foreign(own, x - 1, y - 1) || foreign(own, x + 1, y - 1) ||
                       foreign(own, x - 1, y + 1) || foreign(own, x + 1, y + 1)) {
                d = kDiagonal;
            }
            coreCount_[own] -= distance_[at(x, y)] >= cap_;
            distance_[at(x, y)] = static_cast<std::uint16_t>(std::min<int>(d, cap_));
        }
    }
    const auto relax = [&](int x, int y, int nx, int ny, int step) {
        if (nx >= 0 && ny >= 0 && nx < w && ny < h) {
            std::uint16_t& d = distance_[at(x, y)];
            d = static_cast<std::uint16_t>(std::min<int>(d, distance_[at(nx, ny)] + step));
        }
    };
    for (int y = minY; y <= maxY; ++y) {
        for (int x = minX; x <= maxX; ++x) {
            relax(x, y, x - 1, y, kAxial);
            relax(x, y, x, y - 1, kAxial);
            relax(x, y, x - 1, y - 1, kDiagonal);
            relax(x, y, x + 1, y - 1, kDiagonal);
        }
    }
    for (int y = maxY; y >= minY; --y) {
        for (int x = maxX; x >= minX; --x) {
            relax(x, y, x + 1, y, kAxial);
            relax(x, y, x, y + 1, kAxial);
            relax(x, y, x + 1, y + 1, kDiagonal);
            relax(x, y, x - 1, y + 1, kDiagonal);
            coreCount_[region[at(x, y)]] += distance_[at(x, y)] >= cap_;
        }
    }
}
