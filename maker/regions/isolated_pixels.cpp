#include "maker/regions/isolated_pixels.h"

void absorbIsolatedPixels(std::vector<std::uint8_t>& colourOf, const LabImage& image,
                          const std::vector<LabPixel>& palette) {
    const int w = image.width, h = image.height;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const std::uint8_t own = colourOf[i];
            std::uint8_t best = own;
            float bestDistance = 0;
            bool isolated = true;
            for (const auto& [dx, dy] :
                 {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
                if (x + dx < 0 || y + dy < 0 || x + dx >= w || y + dy >= h) {
                    continue;
                }
                const std::uint8_t other = colourOf[i + dx + static_cast<std::ptrdiff_t>(dy) * w];
                const float distance = squaredDistance(image.pixels[i], palette[other]);
                isolated = isolated && other != own;
                if (best == own || distance < bestDistance) {
                    best = other;
                    bestDistance = distance;
                }
            }
            if (isolated) {
                colourOf[i] = best;
            }
        }
    }
}
