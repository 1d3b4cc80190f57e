#include "maker/regions/region_adjacency.h"

#include <algorithm>
#include <utility>

namespace {

// Adds a border between a and b of the given length to both lists, extending
// the last entry when it is the same pair (runs along a row or a column).
void addBorder(std::vector<std::vector<Border>>& borders, std::int32_t a, std::int32_t b,
               std::int32_t length) {
    for (const auto& [self, other] : {std::pair{a, b}, std::pair{b, a}}) {
        auto& list = borders[self];
        if (!list.empty() && list.back().region == other) {
            list.back().length += length;
        } else {
            list.push_back({other, length});
        }
    }
}

}  // namespace

RegionAdjacency::RegionAdjacency(const RegionMap& map)
    : borders_(map.colourOf.size()), foldedSize_(map.colourOf.size(), 0), mergedInto_(map.colourOf.size()) {
    for (std::size_t r = 0; r < mergedInto_.size(); ++r) {
        mergedInto_[r] = static_cast<std::int32_t>(r);
    }
    const int w = map.width, h = map.height;
    for (int y = 0; y < h; ++y) {
        const std::int32_t* row = map.regionOf.data() + static_cast<std::ptrdiff_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            if (x + 1 < w && row[x] != row[x + 1]) {
                addBorder(borders_, row[x], row[x + 1], 1);
            }
            if (y + 1 < h && row[x] != row[x + w]) {
                addBorder(borders_, row[x], row[x + w], 1);
            }
        }
    }
    for (std::size_t r = 0; r < borders_.size(); ++r) {
        fold(static_cast<std::int32_t>(r));
    }
}

std::int32_t RegionAdjacency::live(std::int32_t region) {
    std::int32_t root = region;
    while (mergedInto_[root] != root) {
        root = mergedInto_[root];
    }
    while (mergedInto_[region] != root) {
        region = std::exchange(mergedInto_[region], root);
    }
    return root;
}

void RegionAdjacency::fold(std::int32_t region) {
    auto& list = borders_[region];
    for (Border& border : list) {
        border.region = live(border.region);
    }
    std::erase_if(list, [region](const Border& border) { return border.region == region; });
    std::sort(list.begin(), list.end(), [](const Border& x, const Border& y) { return x.region < y.region; });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (kept > 0 && list[kept - 1].region == list[i].region) {
            list[kept - 1].length += list[i].length;
        } else {
            list[kept++] = list[i];
        }
    }
    list.resize(kept);
    foldedSize_[region] = static_cast<std::uint32_t>(kept);
}

const std::vector<Border>& RegionAdjacency::neighbours(std::int32_t region) {
    fold(region);
    return borders_[region];
}

void RegionAdjacency::merge(std::int32_t from, std::int32_t into) {
    mergedInto_[from] = into;
    auto& target = borders_[into];
    target.insert(target.end(), borders_[from].begin(), borders_[from].end());
    std::vector<Border>().swap(borders_[from]);
    // Keep a big region's list from growing without bound as it absorbs many small ones.
    if (target.size() > 2 * foldedSize_[into] + 64) {
        fold(into);
    }
}
