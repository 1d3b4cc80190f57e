#include "tools/vellumar-pattern/pattern_fidelity.h"

#include <algorithm>
#include <cstdint>

#include "maker/colour/colour_difference.h"
#include "maker/regions/lab_image.h"
#include "render/thumbnail.h"

namespace {

Lab labOfPixel(const LabPixel& p) {
    return {p.l, p.a, p.b};
}

}  // namespace

Fidelity measureFidelity(Pattern& pattern, const Picture& source) {
    const platform::Surface board = drawFinishedBoard(pattern, source.width, source.height);
    Picture painted;
    painted.width = source.width;
    painted.height = source.height;
    painted.pixels.assign(board.pixels().begin(), board.pixels().end());
    const LabImage a = labImageOf(source), b = labImageOf(painted);

    std::vector<float> differences(a.pixels.size());
    double sum2000 = 0, sum76 = 0;
    // Flat art and the painted board run in long spans of one pair of
    // colours: a pixel like the one before it costs nothing new.
    std::uint64_t previous = ~std::uint64_t{0};
    double d2000 = 0, d76 = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const std::uint64_t pair = std::uint64_t{source.pixels[i]} << 32 | painted.pixels[i];
        if (pair != previous) {
            const Lab x = labOfPixel(a.pixels[i]), y = labOfPixel(b.pixels[i]);
            d2000 = ciede2000(x, y);
            d76 = cie76(x, y);
            previous = pair;
        }
        differences[i] = static_cast<float>(d2000);
        sum2000 += d2000;
        sum76 += d76;
    }
    Fidelity fidelity;
    if (differences.empty()) {
        return fidelity;
    }
    const auto n = static_cast<double>(differences.size());
    const auto p95 = differences.begin() + static_cast<std::ptrdiff_t>(0.95 * (n - 1));
    std::nth_element(differences.begin(), p95, differences.end());
    fidelity.meanCiede2000 = sum2000 / n;
    fidelity.p95Ciede2000 = *p95;
    fidelity.meanCie76 = sum76 / n;
    return fidelity;
}
