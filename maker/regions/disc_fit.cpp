#include "maker/regions/disc_fit.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kAxial = 5, kDiagonal = 7;
// Chamfer lengths run up to 8% over the true ones (a step of 2 across and 1
// down counts 12 / 5 = 2.4 against 2.24) and never more than 1% under, so
// the disc's reach is asked 8% longer: it then fits by true distance, as
// the number's place and the tap test measure it.
constexpr double kChamferExcess = 1.08;

int chamferLength(int dx, int dy) {
    dx = std::abs(dx);
    dy = std::abs(dy);
    return kDiagonal * std::min(dx, dy) + kAxial * (std::max(dx, dy) - std::min(dx, dy));
}

}  // namespace

// A pixel centre at distance d from the nearest foreign pixel centre holds a
// disc of radius d - 0.5 (the foreign pixel's near edge), so the disc fits
// where d >= radius + 0.5; every pixel nearer than that to the centre must
// then belong to the region, which bounds its area from below.
DiscFit::DiscFit(double radius, std::optional<RegionBox> centres)
    : cap_(static_cast<std::uint16_t>(std::clamp(
          std::ceil(kAxial * (std::max(radius, 0.0) + 0.5) * kChamferExcess - 1e-9), 1.0, 60000.0))),
      leastArea_(0),
      centres_(centres) {
    const int reach = cap_ / kAxial + 1;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            leastArea_ += chamferLength(dx, dy) < cap_;
        }
    }
}

bool DiscFit::holdsDisc(const RegionMap& map, std::int32_t region, const RegionBox& box, std::int64_t area) {
    if (area < leastArea_) {
        return false;
    }
    // The part of the box where the disc may be centred, relative to the box.
    RegionBox allowed{0, 0, box.maxX - box.minX, box.maxY - box.minY};
    if (centres_) {
        allowed = {
            std::max(centres_->minX, box.minX) - box.minX, std::max(centres_->minY, box.minY) - box.minY,
            std::min(centres_->maxX, box.maxX) - box.minX, std::min(centres_->maxY, box.maxY) - box.minY};
        if (allowed.minX > allowed.maxX || allowed.minY > allowed.maxY) {
            return false;
        }
    }
    const int bw = box.maxX - box.minX + 1, bh = box.maxY - box.minY + 1;
    const std::ptrdiff_t stride = bw + 2;
    distance_.assign(static_cast<std::size_t>(stride) * (bh + 2), 0);
    for (int y = 0; y < bh; ++y) {
        const std::int32_t* row =
            map.regionOf.data() + static_cast<std::ptrdiff_t>(box.minY + y) * map.width + box.minX;
        std::uint16_t* d = distance_.data() + (y + 1) * stride + 1;
        for (int x = 0; x < bw; ++x) {
            d[x] = row[x] == region ? cap_ : 0;
        }
    }
    for (int y = 0; y < bh; ++y) {
        std::uint16_t* d = distance_.data() + (y + 1) * stride + 1;
        const std::uint16_t* up = d - stride;
        for (int x = 0; x < bw; ++x) {
            d[x] = static_cast<std::uint16_t>(std::min(
                {d[x] + 0, d[x - 1] + kAxial, up[x] + kAxial, up[x - 1] + kDiagonal, up[x + 1] + kDiagonal}));
        }
    }
    for (int y = bh - 1; y >= 0; --y) {
        std::uint16_t* d = distance_.data() + (y + 1) * stride + 1;
        const std::uint16_t* down = d + stride;
        for (int x = bw - 1; x >= 0; --x) {
            d[x] = static_cast<std::uint16_t>(std::min({d[x] + 0, d[x + 1] + kAxial, down[x] + kAxial,
                                                        down[x + 1] + kDiagonal, down[x - 1] + kDiagonal}));
            if (d[x] >= cap_ && x >= allowed.minX && x <= allowed.maxX && y >= allowed.minY &&
                y <= allowed.maxY) {
                return true;
            }
        }
    }
    return false;
}
