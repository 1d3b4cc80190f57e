#include "bench/generated_pattern.h"

#include <algorithm>
#include <cmath>
#include <random>

PatternFile generateCurvePattern(const GeneratedPatternOptions& options) {
    PatternFile file;
    file.header.sourceWidth = 1000;
    file.header.sourceHeight = 1000;
    file.header.coordinateRange = 16000;
    std::mt19937 random(options.seed);
    for (int c = 0; c < options.colours; ++c) {
        file.colours.push_back({static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                                static_cast<std::uint8_t>(random())});
    }
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(options.pieces))));
    const double cell = 16000.0 / columns;
    const auto raw = [](double v) {
        return static_cast<std::uint16_t>(std::lround(std::clamp(v, 0.0, 16000.0)));
    };
    for (int k = 0; k < options.pieces; ++k) {
        const double cx = (k % columns + 0.5) * cell;
        const double cy = (k / columns + 0.5) * cell;
        const double r = cell * 0.45;
        // Three corners of a triangle; each side bulges outwards through its control points.
        double px[3], py[3];
        for (int i = 0; i < 3; ++i) {
            const double angle = 2.0 * M_PI * i / 3.0 + 0.3;
            px[i] = cx + r * std::cos(angle);
            py[i] = cy + r * std::sin(angle);
        }
        const auto first = static_cast<std::uint16_t>(file.curves.size());
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            CurveRecord curve;
            const double mx = (px[i] + px[j]) / 2 - cx, my = (py[i] + py[j]) / 2 - cy;
            curve.x[0] = raw(px[i]);
            curve.y[0] = raw(py[i]);
            curve.x[1] = raw(px[i] + mx * 0.5);
            curve.y[1] = raw(py[i] + my * 0.5);
            curve.x[2] = raw(px[j] + mx * 0.5);
            curve.y[2] = raw(py[j] + my * 0.5);
            curve.x[3] = raw(px[j]);
            curve.y[3] = raw(py[j]);
            curve.steps = static_cast<std::uint8_t>(options.stepsPerCurve);
            file.curves.push_back(curve);
        }
        file.paths.push_back({first, static_cast<std::uint16_t>(first + 2)});
        file.edges.push_back(
            {static_cast<std::uint16_t>(file.paths.size() - 1), static_cast<std::uint8_t>(k % 2)});
        file.contours.push_back({static_cast<std::uint16_t>(file.edges.size() - 1),
                                 static_cast<std::uint16_t>(file.edges.size() - 1)});
        const auto contour = static_cast<std::uint16_t>(file.contours.size() - 1);
        file.pieces.push_back({contour, contour, static_cast<std::uint16_t>(random() % options.colours),
                               raw(cx), raw(16000 - cy)});
    }
    return file;
}
