#include "maker/regions/edge_preserving_smoothing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The weight of a neighbour by its squared colour distance, tabled by whole
// units; colours beyond three sigma get none, so edges between clearly
// different colours stay exactly as they were.
struct RangeWeights {
    std::vector<float> table;

    explicit RangeWeights(float sigma) {
        const int limit = static_cast<int>(9.0f * sigma * sigma);
        for (int d2 = 0; d2 <= limit; ++d2) {
            table.push_back(std::exp(-static_cast<float>(d2) / (2.0f * sigma * sigma)));
        }
    }

    float operator()(float squared) const {
        const auto i = static_cast<std::size_t>(squared);
        return i < table.size() ? table[i] : 0.0f;
    }
};

// One pass along rows (vertical = false) or columns, visiting the pixels in
// memory order either way so that the column pass stays cache-friendly.
void filterPass(const LabImage& in, std::vector<LabPixel>& out, bool vertical,
                const std::vector<float>& spatial, const RangeWeights& range) {
    const int radius = static_cast<int>(spatial.size()) - 1, w = in.width, h = in.height;
    const std::ptrdiff_t step = vertical ? w : 1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int position = vertical ? y : x, count = vertical ? h : w;
            const int from = std::max(position - radius, 0) - position;
            const int to = std::min(position + radius, count - 1) - position;
            const std::ptrdiff_t centreIndex = static_cast<std::ptrdiff_t>(y) * w + x;
            const LabPixel& centre = in.pixels[centreIndex];
            float l = 0, a = 0, b = 0, total = 0;
            for (int k = from; k <= to; ++k) {
                const LabPixel& p = in.pixels[centreIndex + k * step];
                const float weight = spatial[k < 0 ? -k : k] * range(squaredDistance(centre, p));
                l += weight * p.l;
                a += weight * p.a;
                b += weight * p.b;
                total += weight;
            }
            out[centreIndex] = {l / total, a / total, b / total};
        }
    }
}

// Noise of standard deviation s on each CIELAB axis gives second
// differences of median size about 3.8 s, and two noisy pixels differ by
// about 2.2 s: a range sigma of 0.6 times the grain (2.3 s) mixes those,
// while clear edges, many times larger, stay.
constexpr float kGrainToSigma = 0.6f;

}  // namespace

float grainOf(const LabImage& image) {
    std::vector<float> sizes;
    for (int y = 0; y < image.height; y += 4) {
        const LabPixel* row = image.pixels.data() + static_cast<std::ptrdiff_t>(y) * image.width;
        for (int x = 1; x + 1 < image.width; x += 2) {
            const LabPixel d{row[x - 1].l - 2 * row[x].l + row[x + 1].l,
                             row[x - 1].a - 2 * row[x].a + row[x + 1].a,
                             row[x - 1].b - 2 * row[x].b + row[x + 1].b};
            sizes.push_back(std::sqrt(squaredDistance(d, {})));
        }
    }
    if (sizes.empty()) {
        return 0;
    }
    std::nth_element(sizes.begin(), sizes.begin() + sizes.size() / 2, sizes.end());
    return sizes[sizes.size() / 2];
}

LabImage smoothKeepingEdges(const LabImage& image, const SmoothingOptions& options) {
    std::vector<float> spatial;
    for (int d = 0; d <= options.radius; ++d) {
        spatial.push_back(
            std::exp(-static_cast<float>(d * d) / (2.0f * options.spatialSigma * options.spatialSigma)));
    }
    const RangeWeights range(options.rangeSigma > 0
                                 ? options.rangeSigma
                                 : std::max(kLeastRangeSigma, kGrainToSigma * grainOf(image)));
    const int w = image.width, h = image.height;
    LabImage rows{w, h, std::vector<LabPixel>(image.pixels.size())};
    filterPass(image, rows.pixels, false, spatial, range);
    LabImage result{w, h, std::vector<LabPixel>(image.pixels.size())};
    filterPass(rows, result.pixels, true, spatial, range);
    return result;
}
