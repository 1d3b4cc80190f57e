// Every region's outline built from the shared edges: its outer contour and
// its holes, each a cycle of edges walked with the region on the left, so
// that an edge is walked forwards by the region on its left and backwards by
// the region on its right.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/outline/border_graph.h"

struct EdgeUse {
    std::int32_t edge = 0;
    bool forward = true;
    friend bool operator==(const EdgeUse&, const EdgeUse&) = default;
};

using EdgeCycle = std::vector<EdgeUse>;

struct RegionOutline {
    std::vector<EdgeCycle> contours;  // [0] the outer contour, then the holes
    int outerContours = 0;            // 1 for a 4-connected region; more when it lies in parts
};

std::vector<RegionOutline> buildRegionOutlines(const BorderGraph& graph, int regionCount);

// The region an edge use keeps on its left, and the one across it.
std::int32_t regionLeftOf(const BorderGraph& graph, EdgeUse use);
std::int32_t regionAcross(const BorderGraph& graph, EdgeUse use);
