#include "maker/regions/region_merging.h"

#include <algorithm>
#include <cmath>
#include <queue>

#include "maker/regions/disc_fit.h"
#include "maker/regions/region_adjacency.h"

namespace {

struct Region {
    RegionBox box;
    std::int32_t first = -1, last = -1;  // its pixels, chained through `next`
};

class RegionMerger {
  public:
    RegionMerger(RegionMap& map, std::vector<RegionColour>& colours, const std::vector<LabPixel>& palette,
                 const MergeTargets& targets);

    int liveCount() const { return live_; }
    // Merges the smallest region for which `needsMerging` holds, again and
    // again, until there is none or `done` holds. Whether a region needs
    // merging is asked only when it is the smallest left.
    template <typename NeedsMerging, typename Done>
    void mergeSmallestWhile(NeedsMerging needsMerging, Done done);
    // Once a region holds the disc it always will: it only grows.
    bool holdsDisc(std::int32_t r) {
        if (!holds_[r]) {
            holds_[r] = discs_.holdsDisc(map_, r, regions_[r].box, colours_[r].area);
        }
        return holds_[r];
    }

  private:
    // Area above, region below: smallest first, then lowest id.
    using Entry = std::uint64_t;
    static Entry entryOf(std::int64_t area, std::int32_t region) {
        return static_cast<std::uint64_t>(area) << 32 | static_cast<std::uint32_t>(region);
    }

    struct Choice {
        std::int32_t into = -1;
        std::int32_t colour = 0;
    };
    std::int32_t nearestColour(const LabPixel& mean) const;
    double mergeCost(std::int32_t x, std::int32_t y, std::int32_t colour) const;
    Choice bestNeighbour(std::int32_t region);
    std::int32_t merge(std::int32_t from, const Choice& choice);
    std::int32_t absorb(std::int32_t from, std::int32_t into);

    RegionMap& map_;
    std::vector<RegionColour>& colours_;
    const std::vector<LabPixel>& palette_;
    std::vector<Region> regions_;
    std::vector<std::int32_t> next_;
    RegionAdjacency adjacency_;
    DiscFit discs_;
    std::vector<bool> holds_;
    int live_ = 0;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue_;
};

RegionMerger::RegionMerger(RegionMap& map, std::vector<RegionColour>& colours,
                           const std::vector<LabPixel>& palette, const MergeTargets& targets)
    : map_(map),
      colours_(colours),
      palette_(palette),
      regions_(map.colourOf.size()),
      next_(map.regionOf.size(), -1),
      adjacency_(map),
      discs_(targets.minRadius, targets.discCentres),
      holds_(map.colourOf.size(), false),
      live_(static_cast<int>(map.colourOf.size())) {
    for (std::int32_t i = static_cast<std::int32_t>(map.regionOf.size()) - 1; i >= 0; --i) {
        Region& r = regions_[map.regionOf[i]];
        const int x = i % map.width, y = i / map.width;
        if (r.last < 0) {
            r.last = i;
            r.box = {x, y, x, y};
        }
        next_[i] = r.first;
        r.first = i;
        r.box = {std::min(r.box.minX, x), std::min(r.box.minY, y), std::max(r.box.maxX, x),
                 std::max(r.box.maxY, y)};
    }
}

// The palette colour nearest to a mean colour, which paints the region it
// belongs to with the least squared error.
std::int32_t RegionMerger::nearestColour(const LabPixel& mean) const {
    std::int32_t best = 0;
    float bestDistance = squaredDistance(mean, palette_[0]);
    for (std::int32_t c = 1; c < static_cast<std::int32_t>(palette_.size()); ++c) {
        const float distance = squaredDistance(mean, palette_[c]);
        if (distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

// How much the painted picture's squared error against the source grows when
// two regions become one painted in `colour`: each part's pixels move from
// their own colour to it.
double RegionMerger::mergeCost(std::int32_t x, std::int32_t y, std::int32_t colour) const {
    const RegionColour &rx = colours_[x], &ry = colours_[y];
    const LabPixel mx = rx.mean(), my = ry.mean();
    const LabPixel& c = palette_[colour];
    return static_cast<double>(rx.area) *
               (squaredDistance(mx, c) - squaredDistance(mx, palette_[map_.colourOf[x]])) +
           static_cast<double>(ry.area) *
               (squaredDistance(my, c) - squaredDistance(my, palette_[map_.colourOf[y]]));
}

// The neighbour whose merger changes the painted picture least, with the
// colour the merged region is painted in (the one nearest its mean); a
// longer shared border, then the lower id, break ties.
RegionMerger::Choice RegionMerger::bestNeighbour(std::int32_t region) {
    const RegionColour& r = colours_[region];
    Choice best;
    std::int32_t bestLength = 0;
    double bestCost = 0;
    for (const Border& border : adjacency_.neighbours(region)) {
        RegionColour both = r;
        both.add(colours_[border.region]);
        const LabPixel mean = both.mean();
        const std::int32_t colour = nearestColour(mean);
        const double cost = mergeCost(region, border.region, colour);
        if (best.into < 0 || cost < bestCost || (cost == bestCost && border.length > bestLength)) {
            best = {border.region, colour};
            bestCost = cost;
            bestLength = border.length;
        }
    }
    return best;
}

// Moves the pixels of the smaller of the two into the larger. Returns the
// survivor.
std::int32_t RegionMerger::absorb(std::int32_t from, std::int32_t into) {
    if (colours_[from].area > colours_[into].area) {
        std::swap(from, into);
    }
    Region &f = regions_[from], &t = regions_[into];
    for (std::int32_t i = f.first; i >= 0; i = next_[i]) {
        map_.regionOf[i] = into;
    }
    next_[t.last] = f.first;
    t.last = f.last;
    colours_[into].add(colours_[from]);
    colours_[from] = {};
    t.box = {std::min(t.box.minX, f.box.minX), std::min(t.box.minY, f.box.minY),
             std::max(t.box.maxX, f.box.maxX), std::max(t.box.maxY, f.box.maxY)};
    holds_[into] = holds_[into] || holds_[from];
    adjacency_.merge(from, into);
    f = Region{};
    --live_;
    return into;
}

// Merges two regions into one of the given colour, then every neighbour of
// either that has that colour too.
std::int32_t RegionMerger::merge(std::int32_t from, const Choice& choice) {
    std::vector<std::int32_t> sameColour;
    for (const std::int32_t part : {from, choice.into}) {
        if (map_.colourOf[part] == choice.colour && part == choice.into) {
            continue;  // its other neighbours already differ from it
        }
        for (const Border& border : adjacency_.neighbours(part)) {
            if (border.region != from && border.region != choice.into &&
                map_.colourOf[border.region] == choice.colour) {
                sameColour.push_back(border.region);
            }
        }
    }
    std::int32_t survivor = absorb(from, choice.into);
    map_.colourOf[survivor] = choice.colour;
    for (const std::int32_t other : sameColour) {
        const std::int32_t live = adjacency_.live(other);
        if (live != survivor) {
            survivor = absorb(live, survivor);
            map_.colourOf[survivor] = choice.colour;
        }
    }
    return survivor;
}

template <typename NeedsMerging, typename Done>
void RegionMerger::mergeSmallestWhile(NeedsMerging needsMerging, Done done) {
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(live_));
    for (std::int32_t r = 0; r < static_cast<std::int32_t>(regions_.size()); ++r) {
        if (colours_[r].area > 0) {
            entries.push_back(entryOf(colours_[r].area, r));
        }
    }
    queue_ = decltype(queue_)(std::greater<>(), std::move(entries));
    while (!queue_.empty() && !done()) {
        const auto area = static_cast<std::int64_t>(queue_.top() >> 32);
        const auto region = static_cast<std::int32_t>(queue_.top() & 0xffffffffu);
        queue_.pop();
        if (colours_[region].area != area || !needsMerging(region)) {
            continue;  // merged away, grown since it was queued, or fine now
        }
        const Choice choice = bestNeighbour(region);
        if (choice.into < 0) {
            continue;  // the whole picture
        }
        const std::int32_t survivor = merge(region, choice);
        queue_.push(entryOf(colours_[survivor].area, survivor));
    }
}

}  // namespace

MergeCounts mergeSmallRegions(RegionMap& map, std::vector<RegionColour>& colours,
                              const std::vector<LabPixel>& palette, const MergeTargets& targets,
                              const std::function<void(double)>& progress) {
    MergeCounts counts;
    counts.before = static_cast<int>(map.colourOf.size());
    RegionMerger merger(map, colours, palette, targets);
    const int pieces = std::max(targets.pieces, 1);
    const double toMerge = std::max(counts.before - pieces, 1);
    int nextReport = counts.before;
    const auto report = [&] {
        if (progress && merger.liveCount() <= nextReport) {
            progress(std::min(1.0, (counts.before - merger.liveCount()) / toMerge));
            nextReport = merger.liveCount() - std::max(1, counts.before / 50);
        }
        return false;
    };
    merger.mergeSmallestWhile([&](std::int32_t r) { return !merger.holdsDisc(r); }, report);
    counts.wideEnough = merger.liveCount();
    merger.mergeSmallestWhile([](std::int32_t) { return true; },
                              [&] { return report() || merger.liveCount() <= pieces; });
    counts.after = merger.liveCount();
    std::vector<bool> seen(map.colourOf.size(), false);
    for (const std::int32_t r : map.regionOf) {
        if (!seen[r]) {
            seen[r] = true;
            counts.allHoldDisc = counts.allHoldDisc && merger.holdsDisc(r);
        }
    }
    return counts;
}
