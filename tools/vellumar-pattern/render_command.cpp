// `vellumar-pattern render FILE -o OUT.png --size WxH [options]`: the board
// exactly as the game draws it, through the game's own renderer.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "pattern/painting.h"
#include "pattern/view_transform.h"
#include "platform/pixels/surface.h"
#include "render/board_picture.h"
#include "tools/codecs/png_writer.h"
#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/loaded_pattern.h"

namespace {

bool parseSize(const std::string& text, int& width, int& height) {
    return std::sscanf(text.c_str(), "%dx%d", &width, &height) == 2 && width > 0 && height > 0 &&
           width <= 16384 && height <= 16384;
}

// Paints pieces as the options say: none, all, or a seeded random share.
bool applyPainting(Pattern& pattern, const std::string& how) {
    if (how == "none") {
        return true;
    }
    if (how == "all") {
        completePainting(pattern);
        return true;
    }
    double share = 0;
    unsigned seed = 1;
    if (std::sscanf(how.c_str(), "random:%lf:%u", &share, &seed) < 1 || share < 0 || share > 1) {
        return false;
    }
    std::mt19937 random(seed);
    std::bernoulli_distribution pick(share);
    for (Piece& piece : pattern.pieces) {
        if (pick(random)) {
            piece.painted = 1;
            piece.paintedColour = piece.colour;
            --pattern.piecesLeftPerColour[piece.colour];
        }
    }
    pattern.piecesLeft = countUnpaintedPieces(pattern);
    return true;
}

}  // namespace

int runRender(const RenderOptions& options) {
    int width = 0, height = 0;
    if (!parseSize(options.size, width, height)) {
        std::fprintf(stderr, "vellumar-pattern: --size wants WIDTHxHEIGHT, each 1 to 16384\n");
        return 2;
    }
    const auto loaded = loadForCommand(options.file);
    if (!loaded) {
        return 1;
    }
    Pattern& pattern = loaded->pattern;
    loaded->settings.ColorScheme = options.scheme;
    loaded->settings.PaintingMode = options.mode;
    pattern.selectedColour = options.selected;
    if (!applyPainting(pattern, options.painted)) {
        std::fprintf(stderr, "vellumar-pattern: --painted wants none, all or random:SHARE[:SEED]\n");
        return 2;
    }
    fitToBoard(pattern, width, height);

    const BoardView view{{0, 0, width, height}, options.zoom, options.centreX, options.centreY};
    const platform::Surface window = drawBoardPicture(pattern, view, options.dpi);
    if (!codecs::writePng(window, options.output)) {
        std::fprintf(stderr, "vellumar-pattern: cannot write %s\n", options.output.c_str());
        return 1;
    }
    return 0;
}
