// One outline's segments summed in pattern units, in one pass over its
// points with no look at where each lies on the board: what a small piece
// costs to draw, bounded whole.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/base/types.h"

// The outer contour is filled and stroked twice (closed with the fill, open
// with the outlines); every other contour is stroked open once.
struct OutlineSums {
    std::int64_t across = 0, down = 0;  // |dx| and |dy| of every line drawn
    std::int64_t edgeDown = 0;          // |dy| of the filled outline's edges
    std::int64_t edges = 0, lines = 0;
    std::int64_t runs = 0;  // runs of edges going one way up or down; level edges join any

    void addContour(std::span<const POINT> points, bool outer) {
        using i64 = std::int64_t;
        i64 openAcross = 0, openDown = 0, openRuns = 0;
        int direction = 0;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            const i64 dy = i64{points[i + 1].y} - points[i].y;
            openAcross += std::abs(i64{points[i + 1].x} - points[i].x);
            openDown += std::abs(dy);
            const int step = (dy > 0) - (dy < 0);
            openRuns += step != 0 && step != direction;
            direction = step != 0 ? step : direction;
        }
        const auto open = static_cast<i64>(points.size()) - 1;
        if (!outer) {
            across += openAcross;
            down += openDown;
            lines += open;
            return;
        }
        const POINT first = points.front(), last = points.back();
        const i64 closingDown = std::abs(i64{first.y} - last.y);
        const int closingStep = (first.y > last.y) - (first.y < last.y);
        runs += openRuns + (closingStep != 0 && closingStep != direction);
        across += 2 * openAcross + std::abs(i64{first.x} - last.x);
        down += 2 * openDown + closingDown;
        edgeDown += openDown + closingDown;
        edges += open + 1;
        lines += 2 * open + 1;
    }
};
