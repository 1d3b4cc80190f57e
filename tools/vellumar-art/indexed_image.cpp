#include "tools/vellumar-art/indexed_image.h"

#include <algorithm>
#include <array>
#include <map>

#include "platform/pixels/bmp_encoder.h"

namespace art {

namespace {

using platform::Pixel;

struct Weighted {
    Pixel colour;
    std::uint64_t count;
};

int channel(Pixel p, int c) {
    return static_cast<int>((p >> (16 - 8 * c)) & 0xFF);
}

// A group of the colours: those from `first` up to `last` (exclusive).
struct ColourBox {
    std::size_t first;
    std::size_t last;
};

// The widest channel's range over the box, and which channel it is.
int widestChannel(const std::vector<Weighted>& colours, const ColourBox& b, int& which) {
    int best = -1;
    for (int c = 0; c < 3; ++c) {
        int lo = 255, hi = 0;
        for (std::size_t i = b.first; i < b.last; ++i) {
            lo = std::min(lo, channel(colours[i].colour, c));
            hi = std::max(hi, channel(colours[i].colour, c));
        }
        if (hi - lo > best) {
            best = hi - lo;
            which = c;
        }
    }
    return best;
}

// The box with the widest channel, the first of equals, and that channel;
// boxes.size() when every box is one colour.
std::size_t boxToSplit(const std::vector<Weighted>& colours, const std::vector<ColourBox>& boxes,
                       int& which) {
    std::size_t chosen = boxes.size();
    int chosenRange = 0;
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        int c = 0;
        const int range = boxes[k].last - boxes[k].first > 1 ? widestChannel(colours, boxes[k], c) : 0;
        if (range > chosenRange) {
            chosen = k;
            chosenRange = range;
            which = c;
        }
    }
    return chosen;
}

// Sorts the box along the channel and halves it by weight: the box keeps the
// lower half, the upper half is answered.
ColourBox halveByWeight(std::vector<Weighted>& colours, ColourBox& b, int along) {
    const auto begin = colours.begin() + static_cast<std::ptrdiff_t>(b.first);
    const auto end = colours.begin() + static_cast<std::ptrdiff_t>(b.last);
    std::stable_sort(begin, end, [&](const Weighted& x, const Weighted& y) {
        return channel(x.colour, along) < channel(y.colour, along);
    });
    std::uint64_t total = 0;
    for (auto it = begin; it != end; ++it) {
        total += it->count;
    }
    std::uint64_t running = 0;
    std::size_t split = b.first;
    while (split + 1 < b.last && running + colours[split].count <= total / 2) {
        running += colours[split].count;
        ++split;
    }
    split = std::max(split, b.first + 1);
    const ColourBox upper{split, b.last};
    b.last = split;
    return upper;
}

Pixel weightedMean(const std::vector<Weighted>& colours, const ColourBox& b) {
    std::array<std::uint64_t, 3> sum{};
    std::uint64_t weight = 0;
    for (std::size_t i = b.first; i < b.last; ++i) {
        for (int c = 0; c < 3; ++c) {
            sum[static_cast<std::size_t>(c)] +=
                static_cast<std::uint64_t>(channel(colours[i].colour, c)) * colours[i].count;
        }
        weight += colours[i].count;
    }
    const auto mean = [&](int c) {
        return static_cast<Pixel>((sum[static_cast<std::size_t>(c)] + weight / 2) / weight);
    };
    return (mean(0) << 16) | (mean(1) << 8) | mean(2);
}

// Splits the colours into `boxes` groups, each time halving (by weight, along
// its widest channel) the group with the widest channel, and answers the
// weighted mean of each group.
std::vector<Pixel> medianCut(std::vector<Weighted> colours, std::size_t boxes) {
    std::vector<ColourBox> all{{0, colours.size()}};
    while (all.size() < boxes) {
        int along = 0;
        const std::size_t chosen = boxToSplit(colours, all, along);
        if (chosen == all.size()) {
            break;  // every group is one colour
        }
        all.push_back(halveByWeight(colours, all[chosen], along));
    }
    std::vector<Pixel> palette;
    for (const ColourBox& b : all) {
        if (b.first != b.last) {
            palette.push_back(weightedMean(colours, b));
        }
    }
    return palette;
}

std::uint8_t nearest(const std::vector<Pixel>& palette, Pixel p) {
    std::size_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        int d = 0;
        for (int c = 0; c < 3; ++c) {
            const int e = channel(palette[i], c) - channel(p, c);
            d += e * e;
        }
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

IndexedImage toIndexed(const platform::Surface& picture) {
    std::map<Pixel, std::uint64_t> histogram;
    for (const Pixel p : picture.pixels()) {
        ++histogram[p & 0xFFFFFF];
    }
    std::vector<Pixel> palette;
    if (histogram.size() <= 256) {
        for (const auto& [colour, count] : histogram) {
            palette.push_back(colour);
        }
    } else {
        const std::uint64_t flat = picture.pixels().size() / 100;
        std::vector<Weighted> blends;
        for (const auto& [colour, count] : histogram) {
            if (count >= flat && palette.size() < 128) {
                palette.push_back(colour);
            } else {
                blends.push_back({colour, count});
            }
        }
        const std::vector<Pixel> shared = medianCut(std::move(blends), 256 - palette.size());
        palette.insert(palette.end(), shared.begin(), shared.end());
    }
    IndexedImage out{picture.width(), picture.height(), {}, palette};
    std::map<Pixel, std::uint8_t> lookup;
    for (const auto& [colour, count] : histogram) {
        lookup[colour] = nearest(palette, colour);
    }
    out.indices.reserve(picture.pixels().size());
    for (const Pixel p : picture.pixels()) {
        out.indices.push_back(lookup[p & 0xFFFFFF]);
    }
    return out;
}

std::vector<std::byte> encodeIndexedBmp(const platform::Surface& picture) {
    const IndexedImage image = toIndexed(picture);
    return platform::encodeBmp8(image.width, image.height, image.indices, image.palette);
}

}  // namespace art
