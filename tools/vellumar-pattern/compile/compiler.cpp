#include "tools/vellumar-pattern/compile/compiler.h"

#include <map>

#include "tools/vellumar-pattern/compile/colour_merge.h"
#include "tools/vellumar-pattern/compile/piece_measure.h"
#include "tools/vellumar-pattern/compile/pieces_from_shapes.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/playability.h"

namespace {

std::uint32_t keyOf(const ColourRecord& c) {
    return (static_cast<std::uint32_t>(c.red) << 16) | (static_cast<std::uint32_t>(c.green) << 8) | c.blue;
}

}  // namespace

CompileResult compilePicture(const svg::Picture& picture, const CompileOptions& options) {
    CompileResult result;
    result.shapes = static_cast<int>(picture.shapes.size());
    std::int32_t sourceWidth = 0, sourceHeight = 0;
    sourceSizeOf(picture.width, picture.height, sourceWidth, sourceHeight);
    const PatternExtent extent = patternExtentOf(sourceWidth, sourceHeight);
    const CanvasGrid grid = gridOver(extent.width, extent.height, kCompileCell);

    ShapePieces pieces = piecesFromShapes(picture, grid);
    PatternModel& model = pieces.model;
    result.notes = std::move(pieces.notes);

    // Drop what cannot be seen or tapped, measuring the pattern as written,
    // until every piece left is big enough. Dropping a piece only uncovers
    // the pieces beneath it, so this settles in a pass or two.
    std::vector<PieceMeasure> measures;
    while (true) {
        std::string error;
        const auto file = writePatternFile(model, options.variant, error);
        if (!file) {
            result.error = error;
            return result;
        }
        const auto loaded = loadPatternRecords(*file);
        if (!loaded) {
            result.error = "the written pattern does not load";
            return result;
        }
        Pattern& pattern = loaded->pattern;
        const LabelLimits limits = labelLimitsAtZoom1(pattern);
        const double smallest = options.minRadiusPixels * unitsPerPixel(pattern, kTapZoom) + 2 * grid.cell;
        measures = measurePieces(pattern, grid, limits);
        PatternModel kept{model.sourceWidth, model.sourceHeight, {}};
        std::vector<PieceMeasure> keptMeasures;
        for (std::size_t k = 0; k < model.pieces.size(); ++k) {
            if (measures[k].cells == 0) {
                ++result.covered;
            } else if (measures[k].clearance < smallest) {
                ++result.tooSmall;
            } else {
                kept.pieces.push_back(std::move(model.pieces[k]));
                keptMeasures.push_back(measures[k]);
            }
        }
        const bool settled = kept.pieces.size() == model.pieces.size();
        model = std::move(kept);
        measures = std::move(keptMeasures);
        if (settled) {
            break;
        }
    }

    // Colours by the area they show.
    std::map<std::uint32_t, std::size_t> useOf;
    std::vector<ColourUse> uses;
    for (std::size_t k = 0; k < model.pieces.size(); ++k) {
        const ColourRecord& c = model.pieces[k].colour;
        const auto [it, fresh] = useOf.emplace(keyOf(c), uses.size());
        if (fresh) {
            uses.push_back({c, 0});
        }
        uses[it->second].area += static_cast<double>(measures[k].cells);
    }
    result.coloursBefore = static_cast<int>(uses.size());
    const std::vector<ColourRecord> merged = mergeColours(uses, options.maxColours);
    for (std::size_t k = 0; k < model.pieces.size(); ++k) {
        model.pieces[k].colour = merged[useOf[keyOf(model.pieces[k].colour)]];
        model.pieces[k].label = measures[k].label;
    }

    std::string error;
    result.file = writePatternFile(model, options.variant, error);
    if (!result.file) {
        result.error = error;
        return result;
    }
    if (const auto loaded = loadPatternRecords(*result.file)) {
        result.failures = playabilityFailures(loaded->pattern, options.minRadiusPixels);
    }
    return result;
}
