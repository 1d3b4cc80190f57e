#include "maker/outline/piece_order.h"

#include <algorithm>
#include <numeric>

namespace {

std::vector<std::vector<std::int32_t>> neighbours(const BorderGraph& graph, std::size_t regions) {
    std::vector<std::vector<std::int32_t>> near(regions);
    for (const BorderEdge& edge : graph.edges) {
        if (edge.left >= 0 && edge.right >= 0) {
            near[edge.left].push_back(edge.right);
            near[edge.right].push_back(edge.left);
        }
    }
    for (auto& list : near) {
        std::ranges::sort(list);
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    return near;
}

}  // namespace

std::vector<std::int32_t> drawingOrder(const BorderGraph& graph, const std::vector<RegionOutline>& outlines) {
    const std::size_t regions = outlines.size();
    const auto near = neighbours(graph, regions);
    // Depth: the number of holes a region lies in. Everything inside a hole
    // is reached from the regions across the hole's edges without crossing
    // the region that has the hole.
    std::vector<std::int32_t> depth(regions, 0), seenFor(regions, -1), queue;
    std::int32_t holeNumber = 0;
    for (std::size_t r = 0; r < regions; ++r) {
        const auto& contours = outlines[r].contours;
        for (std::size_t j = 1; j < contours.size(); ++j, ++holeNumber) {
            queue.clear();
            seenFor[r] = holeNumber;
            for (const EdgeUse use : contours[j]) {
                const std::int32_t across = regionAcross(graph, use);
                if (across >= 0 && seenFor[across] != holeNumber) {
                    seenFor[across] = holeNumber;
                    queue.push_back(across);
                }
            }
            for (std::size_t i = 0; i < queue.size(); ++i) {
                ++depth[queue[i]];
                for (const std::int32_t n : near[queue[i]]) {
                    if (seenFor[n] != holeNumber) {
                        seenFor[n] = holeNumber;
                        queue.push_back(n);
                    }
                }
            }
        }
    }
    std::vector<std::int32_t> order(regions);
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, [&](std::int32_t a, std::int32_t b) { return depth[a] < depth[b]; });
    return order;
}
