#include "maker/outline/piece_contours.h"

#include <array>
#include <unordered_map>

namespace {

using Exits = std::array<std::int32_t, 4>;  // per direction: 2 * edge + (backwards ? 1 : 0), or -1

std::int64_t cornerKey(const BorderGraph& g, LatticePoint p) {
    return static_cast<std::int64_t>(p.y) * (g.width + 1) + p.x;
}

std::int32_t useCode(EdgeUse use) {
    return use.edge * 2 + (use.forward ? 0 : 1);
}

EdgeUse useOf(std::int32_t code) {
    return {code / 2, code % 2 == 0};
}

class ContourBuilder {
  public:
    ContourBuilder(const BorderGraph& graph, int regionCount)
        : graph_(graph),
          outlines_(static_cast<std::size_t>(regionCount)),
          walked_(graph.edges.size() * 2, 0) {
        for (std::size_t e = 0; e < graph.edges.size(); ++e) {
            const BorderEdge& edge = graph.edges[e];
            if (edge.closed) {
                continue;
            }
            const auto i = static_cast<std::int32_t>(e);
            exitsAt(edge.corners.front())[edge.firstStep] = useCode({i, true});
            exitsAt(edge.corners.back())[opposite(edge.lastStep)] = useCode({i, false});
        }
    }

    std::vector<RegionOutline> build() {
        std::vector<std::vector<std::int64_t>> areas(outlines_.size());
        for (std::int32_t code = 0; code < static_cast<std::int32_t>(walked_.size()); ++code) {
            const EdgeUse use = useOf(code);
            const std::int32_t region = regionLeftOf(graph_, use);
            if (walked_[code] || region < 0 || region >= static_cast<std::int32_t>(outlines_.size())) {
                continue;
            }
            std::int64_t twiceArea = 0;
            outlines_[region].contours.push_back(cycleFrom(use, region, twiceArea));
            areas[region].push_back(twiceArea);
        }
        // Walked with the region on the left (y down), an outer contour turns
        // counterclockwise on screen and has a negative shoelace sum; holes a positive one.
        for (std::size_t r = 0; r < outlines_.size(); ++r) {
            auto& contours = outlines_[r].contours;
            std::size_t outer = 0;
            for (std::size_t j = 0; j < contours.size(); ++j) {
                outlines_[r].outerContours += areas[r][j] < 0 ? 1 : 0;
                if (areas[r][j] < areas[r][outer]) {
                    outer = j;
                }
            }
            if (outer != 0) {
                std::swap(contours[0], contours[outer]);
            }
        }
        return std::move(outlines_);
    }

  private:
    Exits& exitsAt(LatticePoint p) {
        const auto [it, added] = exits_.try_emplace(cornerKey(graph_, p));
        if (added) {
            it->second.fill(-1);
        }
        return it->second;
    }

    EdgeCycle cycleFrom(EdgeUse start, std::int32_t region, std::int64_t& twiceArea) {
        EdgeCycle cycle;
        EdgeUse use = start;
        while (true) {
            walked_[useCode(use)] = 1;
            cycle.push_back(use);
            const BorderEdge& edge = graph_.edges[use.edge];
            twiceArea += use.forward ? edge.twiceArea : -edge.twiceArea;
            if (edge.closed) {
                return cycle;
            }
            const LatticePoint at = use.forward ? edge.corners.back() : edge.corners.front();
            const Direction arriving = use.forward ? edge.lastStep : opposite(edge.firstStep);
            const Exits& exits = exits_.at(cornerKey(graph_, at));
            // Turning left first keeps the walk on the region's own cells where
            // it touches itself only at a corner: regions are 4-connected.
            bool found = false;
            for (const int turn : {3, 0, 1}) {
                const std::int32_t code = exits[(arriving + turn) % 4];
                if (code >= 0 && regionLeftOf(graph_, useOf(code)) == region) {
                    use = useOf(code);
                    found = true;
                    break;
                }
            }
            if (!found || use == start) {
                return cycle;
            }
        }
    }

    const BorderGraph& graph_;
    std::vector<RegionOutline> outlines_;
    std::vector<std::uint8_t> walked_;
    std::unordered_map<std::int64_t, Exits> exits_;
};

}  // namespace

std::int32_t regionLeftOf(const BorderGraph& graph, EdgeUse use) {
    const BorderEdge& edge = graph.edges[use.edge];
    return use.forward ? edge.left : edge.right;
}

std::int32_t regionAcross(const BorderGraph& graph, EdgeUse use) {
    const BorderEdge& edge = graph.edges[use.edge];
    return use.forward ? edge.right : edge.left;
}

std::vector<RegionOutline> buildRegionOutlines(const BorderGraph& graph, int regionCount) {
    return ContourBuilder(graph, regionCount).build();
}
