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

namespace {

PatternFile oneColourFile(bool polyline) {
    PatternFile file;
    file.header.sourceWidth = 1000;
    file.header.sourceHeight = 1000;
    file.header.coordinateRange = 16000;
    file.header.polylineFlag = polyline ? 1 : 0;
    file.colours.push_back({200, 40, 40});
    return file;
}

// Piece k walks path k (forwards) as its one contour.
void addPiecePerPath(PatternFile& file, int pieces, bool sharedPath) {
    for (int k = 0; k < pieces; ++k) {
        const auto index = static_cast<std::uint16_t>(k);
        if (!sharedPath || k == 0) {
            file.edges.push_back({index, 1});
            file.contours.push_back({index, index});
        }
        const std::uint16_t contour = sharedPath ? 0 : index;
        file.pieces.push_back({contour, contour, 0, 8000, 8000});
    }
}

}  // namespace

PatternFile generateZigzagPattern(int pieces, int pointsPerPiece, int height) {
    PatternFile file = oneColourFile(true);
    for (int i = 0; i < pointsPerPiece; ++i) {
        file.points.push_back({static_cast<std::uint16_t>(16000LL * i / std::max(pointsPerPiece - 1, 1)),
                               static_cast<std::uint16_t>(i % 2 == 0 ? 0 : height)});
    }
    file.paths.push_back({0, static_cast<std::uint16_t>(pointsPerPiece - 1)});
    addPiecePerPath(file, pieces, true);
    return file;
}

PatternFile generateWavyCurvePattern(int pieces, int curvesPerPiece, int height) {
    PatternFile file = oneColourFile(false);
    const int curves = pieces * curvesPerPiece;
    for (int i = 0; i < curves; ++i) {
        const auto x = static_cast<std::uint16_t>(16000LL * (i % curvesPerPiece) / curvesPerPiece);
        // Curve y is measured upwards: the top of the picture is 16000.
        const auto low = static_cast<std::uint16_t>(16000 - height);
        const auto from = static_cast<std::uint16_t>(i % 2 == 0 ? 16000 : low);
        const auto to = static_cast<std::uint16_t>(i % 2 == 0 ? low : 16000);
        const auto third = static_cast<std::uint16_t>(16000 - height / 3);
        const auto twoThirds = static_cast<std::uint16_t>(16000 - 2 * height / 3);
        file.curves.push_back(
            {{x, static_cast<std::uint16_t>(x + 400), static_cast<std::uint16_t>(x + 10), x},
             {from, third, twoThirds, to},
             255});
    }
    for (int k = 0; k < pieces; ++k) {
        const auto first = static_cast<std::uint16_t>(k * curvesPerPiece);
        file.paths.push_back({first, static_cast<std::uint16_t>(first + curvesPerPiece - 1)});
    }
    addPiecePerPath(file, pieces, false);
    return file;
}

PatternFile generateCoveringPattern(int pieces) {
    PatternFile file = oneColourFile(true);
    file.points = {{0, 0}, {16000, 0}, {16000, 16000}, {0, 16000}, {0, 0}};
    file.paths.push_back({0, 4});
    addPiecePerPath(file, pieces, true);
    return file;
}
