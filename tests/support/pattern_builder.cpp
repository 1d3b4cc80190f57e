#include "tests/support/pattern_builder.h"

#include <numeric>

#include "platform/base/text.h"

PatternFile squareFile(bool polyline) {
    PatternFile file;
    file.header.sourceWidth = 100;
    file.header.sourceHeight = 100;
    file.header.polylineFlag = polyline ? 1 : 0;
    file.header.coordinateRange = 16000;
    return file;
}

int addPolylinePiece(PatternFile& file, const std::vector<std::pair<int, int>>& points, int colour,
                     int labelX, int labelY) {
    const auto first = static_cast<std::uint16_t>(file.points.size());
    for (const auto& [x, y] : points) {
        file.points.push_back({static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)});
    }
    file.paths.push_back({first, static_cast<std::uint16_t>(file.points.size() - 1)});
    file.edges.push_back({static_cast<std::uint16_t>(file.paths.size() - 1), 1});
    const auto edge = static_cast<std::uint16_t>(file.edges.size() - 1);
    file.contours.push_back({edge, edge});
    const auto contour = static_cast<std::uint16_t>(file.contours.size() - 1);
    file.pieces.push_back({contour, contour, static_cast<std::uint16_t>(colour),
                           static_cast<std::uint16_t>(labelX), static_cast<std::uint16_t>(labelY)});
    return static_cast<int>(file.pieces.size() - 1);
}

int addColour(PatternFile& file, int red, int green, int blue) {
    file.colours.push_back(
        {static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green), static_cast<std::uint8_t>(blue)});
    return static_cast<int>(file.colours.size() - 1);
}

PatternFile redSquareFile() {
    PatternFile file = squareFile(true);
    addColour(file, 255, 0, 0);
    addPolylinePiece(file, {{0, 0}, {16000, 0}, {16000, 16000}, {0, 16000}, {0, 0}}, 0);
    return file;
}

PatternFile fourSquaresFile() {
    PatternFile file = squareFile(true);
    addColour(file, 250, 0, 0);
    addColour(file, 0, 250, 0);
    addColour(file, 0, 0, 250);
    for (const int k : {0, 1, 2, 3}) {
        const int x = k % 2 * 8000, y = k / 2 * 8000;
        addPolylinePiece(file, {{x, y}, {x + 8000, y}, {x + 8000, y + 8000}, {x, y + 8000}}, (k + 1) / 2,
                         x + 4000, 12000 - y);
    }
    return file;
}

std::unique_ptr<LoadedTestPattern> loadFromBytes(const std::vector<std::byte>& bytes) {
    TempFolder folder;
    writeBytesTo(folder / "test.mza", bytes);
    auto loaded = std::make_unique<LoadedTestPattern>();
    loadPattern(loaded->pattern, platform::utf8ToUtf16((folder / "test.mza").string()).c_str());
    return loaded;
}

std::unique_ptr<LoadedTestPattern> loadFromRecords(const PatternFile& file) {
    return loadFromBytes(serializePatternFile(file));
}

std::vector<POINT> contourPoints(const Piece& piece, int j) {
    const auto sizes = piece.contourSizes.begin();
    const int start = std::accumulate(sizes, sizes + j, 0);
    return {piece.points.begin() + start, piece.points.begin() + start + piece.contourSizes[j]};
}
