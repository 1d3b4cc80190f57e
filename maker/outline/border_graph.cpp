#include "maker/outline/border_graph.h"

#include <algorithm>

namespace {

constexpr int kStepX[4] = {1, 0, -1, 0};
constexpr int kStepY[4] = {0, 1, 0, -1};
// The cells on either side of the unit step from a corner, as offsets from it.
constexpr int kLeftCellX[4] = {0, 0, -1, -1};
constexpr int kLeftCellY[4] = {-1, 0, 0, -1};
constexpr int kRightCellX[4] = {0, -1, -1, 0};
constexpr int kRightCellY[4] = {0, 0, -1, -1};

constexpr std::uint8_t kBorder = 1;
constexpr std::uint8_t kWalked = 2;

class BorderTracer {
  public:
    explicit BorderTracer(const Segmentation& s) : w_(s.width), h_(s.height) {
        padded_.assign(static_cast<std::size_t>(w_ + 2) * (h_ + 2), kOutside);
        for (int y = 0; y < h_; ++y) {
            std::copy_n(s.regionOf.begin() + static_cast<std::ptrdiff_t>(y) * w_, w_,
                        padded_.begin() + static_cast<std::ptrdiff_t>(y + 1) * (w_ + 2) + 1);
        }
        horizontal_.assign(static_cast<std::size_t>(w_) * (h_ + 1), 0);
        vertical_.assign(static_cast<std::size_t>(w_ + 1) * h_, 0);
        for (int y = 0; y <= h_; ++y) {
            for (int x = 0; x < w_; ++x) {
                horizontal_[y * w_ + x] = cell(x, y - 1) != cell(x, y) ? kBorder : 0;
            }
        }
        for (int y = 0; y < h_; ++y) {
            for (int x = 0; x <= w_; ++x) {
                vertical_[y * (w_ + 1) + x] = cell(x - 1, y) != cell(x, y) ? kBorder : 0;
            }
        }
    }

    BorderGraph trace() {
        BorderGraph graph{w_, h_, {}};
        findJunctions();
        for (int y = 0; y <= h_; ++y) {
            for (int x = 0; x <= w_; ++x) {
                if (!junction_[y * (w_ + 1) + x]) {
                    continue;
                }
                for (int d = 0; d < 4; ++d) {
                    if (std::uint8_t* s = segment(x, y, static_cast<Direction>(d)); s && *s == kBorder) {
                        graph.edges.push_back(walk({x, y}, static_cast<Direction>(d)));
                    }
                }
            }
        }
        // What is left are loops with no junction: every one has a horizontal step.
        for (int y = 0; y <= h_; ++y) {
            for (int x = 0; x < w_; ++x) {
                if (horizontal_[y * w_ + x] == kBorder) {
                    graph.edges.push_back(walk({x, y}, kRight));
                }
            }
        }
        return graph;
    }

  private:
    std::int32_t cell(int x, int y) const {
        return padded_[static_cast<std::size_t>(y + 1) * (w_ + 2) + (x + 1)];
    }

    // The unit step from corner (x, y) in direction d, or null beyond the lattice.
    std::uint8_t* segment(int x, int y, Direction d) {
        switch (d) {
            case kRight:
                return x < w_ ? &horizontal_[y * w_ + x] : nullptr;
            case kLeft:
                return x > 0 ? &horizontal_[y * w_ + x - 1] : nullptr;
            case kDown:
                return y < h_ ? &vertical_[y * (w_ + 1) + x] : nullptr;
            case kUp:
                return y > 0 ? &vertical_[(y - 1) * (w_ + 1) + x] : nullptr;
        }
        return nullptr;
    }

    bool hasBorder(int x, int y, Direction d) {
        const std::uint8_t* s = segment(x, y, d);
        return s && *s != 0;
    }

    void findJunctions() {
        junction_.assign(static_cast<std::size_t>(w_ + 1) * (h_ + 1), 0);
        for (int y = 0; y <= h_; ++y) {
            for (int x = 0; x <= w_; ++x) {
                int degree = 0;
                for (int d = 0; d < 4; ++d) {
                    degree += hasBorder(x, y, static_cast<Direction>(d)) ? 1 : 0;
                }
                const bool pictureCorner = (x == 0 || x == w_) && (y == 0 || y == h_);
                junction_[y * (w_ + 1) + x] = degree >= 3 || pictureCorner ? 1 : 0;
            }
        }
    }

    // Follows the border from a corner along direction d until a junction, or
    // back to the start on a loop.
    BorderEdge walk(LatticePoint start, Direction d) {
        BorderEdge edge;
        edge.left = cell(start.x + kLeftCellX[d], start.y + kLeftCellY[d]);
        edge.right = cell(start.x + kRightCellX[d], start.y + kRightCellY[d]);
        edge.firstStep = d;
        edge.corners.push_back(start);
        LatticePoint at = start;
        while (true) {
            *segment(at.x, at.y, d) = kWalked;
            const LatticePoint next{at.x + kStepX[d], at.y + kStepY[d]};
            edge.twiceArea +=
                static_cast<std::int64_t>(at.x) * next.y - static_cast<std::int64_t>(next.x) * at.y;
            edge.corners.push_back(next);
            edge.lastStep = d;
            at = next;
            if (junction_[at.y * (w_ + 1) + at.x]) {
                return edge;
            }
            if (at == start) {
                edge.closed = true;
                return edge;
            }
            // Not a junction: exactly one other border leaves this corner.
            for (const int turn : {3, 0, 1}) {
                const auto candidate = static_cast<Direction>((d + turn) % 4);
                if (hasBorder(at.x, at.y, candidate)) {
                    d = candidate;
                    break;
                }
            }
        }
    }

    int w_, h_;
    std::vector<std::int32_t> padded_;
    std::vector<std::uint8_t> horizontal_, vertical_, junction_;
};

}  // namespace

BorderGraph traceBorders(const Segmentation& segmentation) {
    if (segmentation.width <= 0 || segmentation.height <= 0) {
        return {segmentation.width, segmentation.height, {}};
    }
    return BorderTracer(segmentation).trace();
}
