#include "maker/outline/label_place.h"

#include <algorithm>
#include <cstdint>

#include "maker/outline/distance_transform.h"

namespace {

// Pattern units the label may move when it is written to the file (whole units, truncated on load).
constexpr double kWritingSlack = 2.0;
// How far around a candidate its surroundings' depth is weighed.
constexpr int kRidgeReach = 2;

// Pixels beside another region or on the frame: depth 0.
std::vector<std::uint8_t> borderPixels(const Segmentation& s) {
    const int w = s.width, h = s.height;
    std::vector<std::uint8_t> border(static_cast<std::size_t>(w) * h, 1);
    for (int y = 1; y + 1 < h; ++y) {
        const std::int32_t* row = &s.regionOf[static_cast<std::size_t>(y) * w];
        std::uint8_t* out = &border[static_cast<std::size_t>(y) * w];
        for (int x = 1; x + 1 < w; ++x) {
            const std::int32_t r = row[x];
            out[x] = (row[x - 1] != r) | (row[x + 1] != r) | (row[x - w] != r) | (row[x + w] != r);
        }
    }
    return border;
}

}  // namespace

LabelBox labelBoxOf(const PictureFrame& frame) {
    // As the board computes it at zoom 1, in single precision with truncation.
    const auto extentWidth = static_cast<std::int32_t>(static_cast<float>(-2.0 * frame.minX));
    const auto extentHeight = static_cast<std::int32_t>(static_cast<float>(-2.0 * frame.minY));
    const float aspect = static_cast<float>(kLabelBoardHeight) / static_cast<float>(kLabelBoardWidth);
    const float a = static_cast<float>(extentWidth) * aspect;
    const std::int32_t fitWidth = a < static_cast<float>(extentHeight)
                                      ? static_cast<std::int32_t>(static_cast<float>(extentHeight) / aspect)
                                      : extentWidth;
    const double margin = static_cast<std::int32_t>(static_cast<float>(fitWidth) / 30.0f) + kWritingSlack;
    const PointD low = frame.toPixel({margin - extentWidth / 2, margin - extentHeight / 2});
    const PointD high = frame.toPixel({extentWidth / 2 - margin, extentHeight / 2 - margin});
    return {low.x, high.x, low.y, high.y};
}

std::vector<PointD> deepestPoints(const Segmentation& s, const LabelBox& box) {
    const int w = s.width, h = s.height;
    const std::vector<double> grid = squaredDistanceToFeatures(borderPixels(s), w, h);
    const auto at = [&](int x, int y) { return grid[static_cast<std::size_t>(y) * w + x]; };

    // The deepest depth of each region, inside the box when it reaches it.
    const auto regions = static_cast<std::size_t>(s.regionCount());
    std::vector<double> bestInside(regions, -1.0), bestAnywhere(regions, -1.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto r = static_cast<std::size_t>(s.regionAt(x, y));
            bestAnywhere[r] = std::max(bestAnywhere[r], at(x, y));
            if (box.contains({x + 0.5, y + 0.5})) {
                bestInside[r] = std::max(bestInside[r], at(x, y));
            }
        }
    }
    // Of the pixels at that depth (a ridge, often), the one with the most
    // depth around it: the middle of a ridge rather than its end.
    std::vector<PointD> labels(regions);
    std::vector<double> bestScore(regions, -1.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::int32_t r = s.regionAt(x, y);
            const bool useBox = bestInside[r] >= 0;
            if (at(x, y) != (useBox ? bestInside[r] : bestAnywhere[r]) ||
                (useBox && !box.contains({x + 0.5, y + 0.5}))) {
                continue;
            }
            double score = 0;
            for (int ny = std::max(0, y - kRidgeReach); ny <= std::min(h - 1, y + kRidgeReach); ++ny) {
                for (int nx = std::max(0, x - kRidgeReach); nx <= std::min(w - 1, x + kRidgeReach); ++nx) {
                    score += s.regionAt(nx, ny) == r ? 1.0 + at(nx, ny) : 0.0;
                }
            }
            if (score > bestScore[r]) {
                bestScore[r] = score;
                labels[r] = {x + 0.5, y + 0.5};
            }
        }
    }
    return labels;
}
