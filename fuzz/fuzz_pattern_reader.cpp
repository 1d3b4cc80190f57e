// Any bytes as a pattern file: the reader either builds a pattern whose every
// index and count is consistent, or leaves it empty; it never reads or writes
// outside its storage.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/settings.h"
#include "pattern/painting.h"
#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/headless/headless_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::HeadlessBackend backend;
    static Settings settings{Settings::DefaultsOnly{}};
    settings.Sound = 0;
    Pattern pattern(settings);
    loadPatternFromBytes(pattern, std::as_bytes(std::span(data, size)));
    if (!pattern.loadError.empty()) {
        if (pattern.pieceCount != 0 || pattern.colourCount != 0 || pattern.heap) {
            __builtin_trap();
        }
        return 0;
    }
    for (const Piece& piece : pattern.pieces) {
        if (piece.colour < 0 || piece.colour >= pattern.colourCount ||
            static_cast<std::size_t>(piece.totalPoints) != piece.points.size()) {
            __builtin_trap();
        }
    }
    // Exercise the rules on what was built: a tap at a few labels (each
    // searches every piece), then a reset.
    fitToBoard(pattern, 240, 294);
    setZoom(pattern, 1.0f);
    for (const Piece& piece : pattern.pieces.first(std::min<std::size_t>(pattern.pieces.size(), 4))) {
        std::int32_t index = -1;
        pattern.selectedColour = piece.colour;
        paintAt(pattern, piece.labelX, piece.labelY, index);
    }
    resetPainting(pattern);
    return 0;
}
