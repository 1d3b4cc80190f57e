// `vellumar-pattern info FILE`: a short summary for people.
#include <cstdio>

#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/loaded_pattern.h"

int runInfo(const std::string& file) {
    const auto loaded = loadForCommand(file);
    if (!loaded) {
        return 1;
    }
    const Pattern& p = loaded->pattern;
    long long points = 0;
    int contours = 0;
    for (const Piece& piece : p.pieces) {
        points += piece.totalPoints;
        contours += piece.contourCount;
    }
    std::printf("%s\n", file.c_str());
    std::printf("  variant:     %s\n", variantName(p).c_str());
    std::printf("  source size: %d x %d (coordinates 0 to %d)\n", p.sourceWidth, p.sourceHeight,
                p.coordinateRange);
    std::printf("  extent:      %.9g x %.9g pattern units\n", static_cast<double>(p.extentWidth),
                static_cast<double>(p.extentHeight));
    std::printf("  pieces:      %d in %d contours\n", p.pieceTotal, contours);
    std::printf("  points:      %lld\n", points);
    std::printf("  colours:     %d\n", p.colourCount);
    for (int c = 0; c < p.colourCount; ++c) {
        std::printf("    %3d  #%02X%02X%02X  rgb(%3d, %3d, %3d)  %d pieces\n", c + 1, p.colourRGB[c][0],
                    p.colourRGB[c][1], p.colourRGB[c][2], p.colourRGB[c][0], p.colourRGB[c][1],
                    p.colourRGB[c][2], p.piecesLeftPerColour[c]);
    }
    return 0;
}
