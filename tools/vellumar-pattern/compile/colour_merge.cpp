#include "tools/vellumar-pattern/compile/colour_merge.h"

#include <algorithm>
#include <numeric>

std::vector<ColourRecord> mergeColours(const std::vector<ColourUse>& uses, int maxColours,
                                       double mergeDistance) {
    struct Group {
        ColourRecord colour;
        Lab lab;
        double area = 0;
    };
    std::vector<std::size_t> order(uses.size());
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, std::greater<>{}, [&](std::size_t i) { return uses[i].area; });

    std::vector<Group> groups;
    std::vector<std::size_t> groupOf(uses.size());
    for (std::size_t i : order) {
        const Lab lab = labOf(uses[i].colour);
        std::size_t best = groups.size();
        double bestDistance = mergeDistance;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const double d = ciede2000(groups[g].lab, lab);
            if (d < bestDistance) {
                bestDistance = d;
                best = g;
            }
        }
        if (best == groups.size()) {
            groups.push_back({uses[i].colour, lab, 0});
        }
        groups[best].area += uses[i].area;
        groupOf[i] = best;
    }

    // Then the nearest two groups, until few enough remain. `into` maps a
    // group to the one it was merged into.
    std::vector<std::size_t> into(groups.size());
    std::iota(into.begin(), into.end(), 0);
    std::vector<bool> alive(groups.size(), true);
    std::size_t count = groups.size();
    while (count > static_cast<std::size_t>(std::max(1, maxColours))) {
        double nearest = 1e300;
        std::size_t keep = 0, lose = 0;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            for (std::size_t j = i + 1; alive[i] && j < groups.size(); ++j) {
                if (!alive[j]) {
                    continue;
                }
                const double d = ciede2000(groups[i].lab, groups[j].lab);
                if (d < nearest) {
                    nearest = d;
                    const bool iLarger = groups[i].area >= groups[j].area;
                    keep = iLarger ? i : j;
                    lose = iLarger ? j : i;
                }
            }
        }
        groups[keep].area += groups[lose].area;
        alive[lose] = false;
        into[lose] = keep;
        --count;
    }
    std::vector<ColourRecord> result(uses.size());
    for (std::size_t i = 0; i < uses.size(); ++i) {
        std::size_t g = groupOf[i];
        while (into[g] != g) {
            g = into[g];
        }
        result[i] = groups[g].colour;
    }
    return result;
}

Lab labOf(const ColourRecord& colour) {
    return labOf(static_cast<std::uint32_t>(colour.red) << 16 |
                 static_cast<std::uint32_t>(colour.green) << 8 | colour.blue);
}
