// Which regions touch, and how long a border each pair shares, kept up to
// date as regions merge without looking at the pixels again: a merged
// region's borders are handed to the region that absorbs it, and stale or
// repeated entries are folded together only when a region's neighbours are
// asked for.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/regions/connected_regions.h"

struct Border {
    std::int32_t region = 0;
    std::int32_t length = 0;  // in pixel edges
};

class RegionAdjacency {
  public:
    explicit RegionAdjacency(const RegionMap& map);

    // The live neighbours of a live region, by increasing id.
    const std::vector<Border>& neighbours(std::int32_t region);
    // `from` is absorbed by `into`; both must be live.
    void merge(std::int32_t from, std::int32_t into);
    // The live region a region has been merged into (itself when live).
    std::int32_t live(std::int32_t region);

  private:
    void fold(std::int32_t region);

    std::vector<std::vector<Border>> borders_;
    std::vector<std::uint32_t> foldedSize_;
    std::vector<std::int32_t> mergedInto_;
};
