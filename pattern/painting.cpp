#include "pattern/painting.h"

#include <algorithm>

#include "core/settings.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/system/sound.h"

namespace {

void playIfOn(const Pattern& pattern, const WCHAR* sound) {
    if (pattern.settings.Sound != 0) {
        PlaySound(sound, nullptr, SND_RESOURCE | SND_SYNC);
    }
}

}  // namespace

int paintAt(Pattern& pattern, std::int32_t x, std::int32_t y, std::int32_t& index) {
    const bool freeMode = inPaintingMode(pattern.settings, PaintingMode::Free);
    if (freeMode && pattern.selectedColour < 0) {
        return 0;  // nothing to paint with
    }
    for (std::int32_t k = static_cast<std::int32_t>(pattern.pieces.size()) - 1; k >= 0; --k) {
        const Piece& piece = pattern.pieces[k];
        if (!pointInPiece(piece, x, y)) {
            continue;
        }
        if (!freeMode && piece.colour != pattern.selectedColour) {
            playIfOn(pattern, u"IDR_ERROR");
            ++pattern.missCount;
            return 0;
        }
        paintPiece(pattern, k, pattern.selectedColour);
        index = k;
        return 1;
    }
    return 0;
}

std::int32_t paintPiece(Pattern& pattern, std::int32_t index, std::int32_t colour) {
    playIfOn(pattern, u"IDR_FILL");
    Piece& piece = pattern.pieces[index];
    piece.paintedColour = colour;
    if (inPaintingMode(pattern.settings, PaintingMode::Free)) {
        piece.painted = 1;
    } else if (piece.painted == 0) {
        --pattern.piecesLeftPerColour[colour];
        piece.painted = 1;
        if (pattern.piecesLeftPerColour[colour] <= 0 && colourHasUnpaintedPiece(pattern, colour) == 0) {
            playIfOn(pattern, u"IDR_FINISHCOLOR");
            pattern.selectedColour = -1;
            --pattern.coloursLeft;
        }
    }
    pattern.piecesLeft = countUnpaintedPieces(pattern);
    return pattern.piecesLeft;
}

std::int32_t countUnpaintedPieces(const Pattern& pattern) {
    return static_cast<std::int32_t>(
        std::ranges::count_if(pattern.pieces, [](const Piece& p) { return p.painted == 0; }));
}

int colourHasUnpaintedPiece(const Pattern& pattern, std::int32_t colour) {
    return std::ranges::any_of(pattern.pieces,
                               [&](const Piece& p) { return p.painted == 0 && p.colour == colour; })
               ? 1
               : 0;
}

void resetPainting(Pattern& pattern) {
    std::fill_n(pattern.piecesLeftPerColour.begin(), pattern.colourCount, 0);
    for (Piece& piece : pattern.pieces) {
        piece.painted = 0;
        ++pattern.piecesLeftPerColour[piece.colour];
    }
    pattern.piecesLeft = pattern.pieceCount;
    pattern.coloursLeft = pattern.colourCount;
    pattern.selectedColour = -1;
    pattern.missCount = 0;
}

void completePainting(Pattern& pattern) {
    for (Piece& piece : pattern.pieces) {
        piece.painted = 1;
        piece.paintedColour = piece.colour;
    }
    pattern.piecesLeft = 0;
}
