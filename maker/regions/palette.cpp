#include "maker/regions/palette.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "maker/regions/small_random.h"

namespace {

constexpr std::size_t kSamples = 1 << 14;
constexpr int kMaxIterations = 20;
constexpr double kNegligible = 0.01;  // squared CIELAB distance
constexpr std::uint64_t kSeed = 0x56656c6c756d6172ull;

std::size_t nearestIndex(const LabPixel& p, const std::vector<LabPixel>& palette) {
    std::size_t best = 0;
    float bestDistance = std::numeric_limits<float>::max();
    for (std::size_t c = 0; c < palette.size(); ++c) {
        const float d = squaredDistance(p, palette[c]);
        if (d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    return best;
}

// Every pixel on a regular grid fine enough to give about kSamples of them.
std::vector<LabPixel> gridSample(const LabImage& image) {
    const std::size_t count = image.pixels.size();
    const int step = std::max(1, static_cast<int>(std::sqrt(static_cast<double>(count) / kSamples)));
    std::vector<LabPixel> samples;
    for (int y = step / 2; y < image.height; y += step) {
        for (int x = step / 2; x < image.width; x += step) {
            samples.push_back(image.pixels[static_cast<std::size_t>(y) * image.width + x]);
        }
    }
    return samples;
}

// k-means++: each next seed drawn with probability proportional to its
// squared distance from the seeds so far; stops early when every sample is
// within a tenth of a unit of a seed (rounding is no colour of its own).
std::vector<LabPixel> seeds(const std::vector<LabPixel>& samples, int colours) {
    SmallRandom random(kSeed);
    std::vector<LabPixel> centres{samples[random.below(static_cast<std::uint32_t>(samples.size()))]};
    std::vector<double> distance(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        distance[i] = squaredDistance(samples[i], centres[0]);
    }
    while (static_cast<int>(centres.size()) < colours) {
        double total = 0, farthest = 0;
        for (const double d : distance) {
            total += d;
            farthest = std::max(farthest, d);
        }
        if (farthest < kNegligible) {
            break;
        }
        double target = random.unit() * total;
        std::size_t chosen = 0;
        while (chosen + 1 < samples.size() && (target -= distance[chosen]) >= 0) {
            ++chosen;
        }
        centres.push_back(samples[chosen]);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            distance[i] =
                std::min(distance[i], static_cast<double>(squaredDistance(samples[i], centres.back())));
        }
    }
    return centres;
}

// Lloyd's iterations until no sample changes cluster; an emptied cluster
// keeps its centre.
void refine(const std::vector<LabPixel>& samples, std::vector<LabPixel>& centres) {
    std::vector<std::size_t> cluster(samples.size(), centres.size());
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        bool changed = false;
        std::vector<double> sums(centres.size() * 4, 0.0);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const std::size_t c = nearestIndex(samples[i], centres);
            changed = changed || c != cluster[i];
            cluster[i] = c;
            sums[4 * c] += samples[i].l;
            sums[4 * c + 1] += samples[i].a;
            sums[4 * c + 2] += samples[i].b;
            sums[4 * c + 3] += 1;
        }
        if (!changed) {
            return;
        }
        for (std::size_t c = 0; c < centres.size(); ++c) {
            const double n = sums[4 * c + 3];
            if (n > 0) {
                centres[c] = {static_cast<float>(sums[4 * c] / n), static_cast<float>(sums[4 * c + 1] / n),
                              static_cast<float>(sums[4 * c + 2] / n)};
            }
        }
    }
}

}  // namespace

std::optional<std::vector<std::uint32_t>> exactColours(const Picture& picture, int most) {
    std::vector<std::uint32_t> colours;
    std::unordered_set<std::uint32_t> seen;
    std::uint32_t last = 0;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t rgb = picture.pixels[i] & 0xffffff;
        if ((i > 0 && rgb == last) || !seen.insert(rgb).second) {
            last = rgb;
            continue;
        }
        last = rgb;
        if (static_cast<int>(colours.size()) == most) {
            return std::nullopt;
        }
        colours.push_back(rgb);
    }
    return colours;
}

std::vector<LabPixel> kMeansPalette(const LabImage& image, int colours) {
    if (image.pixels.empty() || colours < 1) {
        return {};
    }
    const std::vector<LabPixel> samples = gridSample(image);
    std::vector<LabPixel> centres = seeds(samples, colours);
    refine(samples, centres);
    return centres;
}

std::vector<std::uint8_t> nearestColours(const LabImage& image, const std::vector<LabPixel>& palette) {
    std::vector<std::uint8_t> colourOf(image.pixels.size());
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        colourOf[i] = static_cast<std::uint8_t>(nearestIndex(image.pixels[i], palette));
    }
    return colourOf;
}
