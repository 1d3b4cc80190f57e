#include "maker/board_scale.h"

#include <algorithm>

#include "pattern/pattern_writer.h"

double picturePixelsPerBoardPixel(int pictureWidth, int pictureHeight) {
    const PatternExtent extent = patternExtentOf(pictureWidth, pictureHeight);
    // As the view transform fits it: the picture's width fills the board's
    // unless that would make it too tall for the board.
    const double boardAspect = static_cast<double>(kReferenceBoardHeight) / kReferenceBoardWidth;
    const double fitWidth =
        extent.width * boardAspect < extent.height ? extent.height / boardAspect : extent.width;
    const double unitsPerBoardPixel = fitWidth / kReferenceZoom / kReferenceBoardWidth;
    const double picturePixelsPerUnit =
        std::max(pictureWidth, pictureHeight) / static_cast<double>(std::max(extent.width, extent.height));
    return unitsPerBoardPixel * picturePixelsPerUnit;
}
