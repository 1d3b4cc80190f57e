// The borders between a segmentation's regions, traced once into a graph of
// shared edges on the lattice of pixel corners. An edge runs between two
// junctions (corners where three or more regions meet, counting the outside,
// where four borders cross, or the picture's own corners); a border that
// meets no junction, such as an island's, is one closed edge.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/segmentation.h"

// Corner (x, y) of the pixel lattice: 0 <= x <= width, 0 <= y <= height.
struct LatticePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const LatticePoint&, const LatticePoint&) = default;
};

// Directions on the lattice, y growing downwards: right, down, left, up.
enum Direction : std::uint8_t { kRight = 0, kDown = 1, kLeft = 2, kUp = 3 };
inline Direction opposite(Direction d) {
    return static_cast<Direction>((d + 2) % 4);
}

inline constexpr std::int32_t kOutside = -1;  // the region beyond the picture's frame

struct BorderEdge {
    std::vector<LatticePoint> corners;  // first to last; a closed edge repeats its first corner
    std::int32_t left = kOutside;       // the region on the left, as seen walking forwards
    std::int32_t right = kOutside;
    Direction firstStep = kRight;  // the direction of its first and last unit steps
    Direction lastStep = kRight;
    bool closed = false;         // a loop with no junction on it
    std::int64_t twiceArea = 0;  // its share of a contour's shoelace sum, walked forwards

    bool onFrame() const { return left == kOutside || right == kOutside; }
};

struct BorderGraph {
    int width = 0;
    int height = 0;
    std::vector<BorderEdge> edges;
};

BorderGraph traceBorders(const Segmentation& segmentation);
