#include "maker/outline/outline_pattern.h"

#include "maker/outline/border_graph.h"
#include "maker/outline/edge_fitting.h"
#include "maker/outline/label_place.h"
#include "maker/outline/picture_frame.h"
#include "maker/outline/piece_contours.h"
#include "maker/outline/piece_order.h"
#include "pattern/planar_writer.h"

namespace {

std::string findFault(const Segmentation& s) {
    if (s.width <= 0 || s.height <= 0) {
        return "the picture is empty";
    }
    if (s.regionOf.size() != static_cast<std::size_t>(s.width) * s.height) {
        return "the region map does not match the picture's size";
    }
    std::vector<bool> seen(s.colourOf.size(), false);
    for (const std::int32_t r : s.regionOf) {
        if (r < 0 || static_cast<std::size_t>(r) >= s.colourOf.size()) {
            return "a pixel names region " + std::to_string(r) + ", which does not exist";
        }
        seen[r] = true;
    }
    for (std::size_t r = 0; r < s.colourOf.size(); ++r) {
        if (!seen[r]) {
            return "region " + std::to_string(r) + " has no pixels";
        }
        if (s.colourOf[r] < 0 || static_cast<std::size_t>(s.colourOf[r]) >= s.palette.size()) {
            return "region " + std::to_string(r) + " names a colour that does not exist";
        }
    }
    return {};
}

PlanarPath toPattern(const PictureFrame& frame, const FittedPath& fitted) {
    PlanarPath path{frame.toPattern(fitted.start), fitted.spans};
    for (OutlineSpan& span : path.spans) {
        span.control1 = frame.toPattern(span.control1);
        span.control2 = frame.toPattern(span.control2);
        span.end = frame.toPattern(span.end);
    }
    return path;
}

ColourRecord colourRecordOf(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
            static_cast<std::uint8_t>(rgb)};
}

}  // namespace

std::optional<PatternFile> outlinePattern(const Segmentation& segmentation, const OutlineOptions& options,
                                          std::string& error) {
    if (std::string fault = findFault(segmentation); !fault.empty()) {
        error = fault;
        return std::nullopt;
    }
    const PictureFrame frame = frameOf(segmentation.width, segmentation.height);
    const BorderGraph graph = traceBorders(segmentation);
    const std::vector<RegionOutline> outlines = buildRegionOutlines(graph, segmentation.regionCount());
    for (std::size_t r = 0; r < outlines.size(); ++r) {
        if (outlines[r].outerContours != 1) {
            // The game fills one outer contour a piece.
            error = "region " + std::to_string(r) + " lies in parts that touch at most at a corner";
            return std::nullopt;
        }
    }
    const std::vector<PointD> labels = deepestPoints(segmentation, labelBoxOf(frame));

    PlanarModel model;
    model.sourceWidth = segmentation.width;
    model.sourceHeight = segmentation.height;
    model.paths.reserve(graph.edges.size());
    for (const BorderEdge& edge : graph.edges) {
        model.paths.push_back(toPattern(frame, fitBorderEdge(edge, graph.width, graph.height)));
    }
    for (const std::int32_t r : drawingOrder(graph, outlines)) {
        PlanarPiece piece;
        piece.colour = colourRecordOf(segmentation.palette[segmentation.colourOf[r]]);
        piece.label = frame.toPattern(labels[r]);
        for (const EdgeCycle& cycle : outlines[r].contours) {
            PlanarContour& contour = piece.contours.emplace_back();
            for (const EdgeUse use : cycle) {
                contour.push_back({use.edge, use.forward});
            }
        }
        model.pieces.push_back(std::move(piece));
    }
    return writePlanarPatternFile(model, options.variant, error);
}
