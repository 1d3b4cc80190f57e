#include "maker/regions/segment_picture.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "maker/regions/connected_regions.h"
#include "maker/regions/edge_preserving_smoothing.h"
#include "maker/regions/finished_segmentation.h"
#include "maker/regions/isolated_pixels.h"
#include "maker/regions/lab_image.h"
#include "maker/regions/palette.h"
#include "maker/regions/region_colours.h"
#include "maker/regions/region_merging.h"

namespace {

std::string count(int n, const std::string& thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string radius(double r) {
    std::ostringstream text;
    text << r;
    return text.str();
}

// Says in plain words why the piece count missed the target, if it did.
SegmentReport reportOf(const MergeCounts& counts, const RegionOptions& options, int pieces) {
    SegmentReport report;
    report.targetMet = counts.after * 10 >= pieces * 9 && counts.after * 10 <= pieces * 11;
    const std::string asked = ", fewer than the " + count(pieces, "piece") + " asked for";
    if (!counts.allHoldDisc) {
        report.targetMet = false;
        report.note = "the picture is too small to hold a piece of radius " + radius(options.minRadius);
    } else if (counts.before * 10 < pieces * 9) {
        report.note = "the picture has only " + count(counts.before, "region") + " of one colour" + asked;
    } else if (!report.targetMet) {
        report.note = "only " + count(counts.wideEnough, "region") + " can hold a disc of radius " +
                      radius(options.minRadius) + asked;
    }
    return report;
}

struct FoundRegions {
    std::vector<LabPixel> palette;
    RegionMap map;
    std::vector<RegionColour> colours;
};

// The palette, each pixel's nearest colour, the regions they form and the
// source colours of each; the picture in CIELAB is needed only here.
FoundRegions findRegions(const Picture& picture, int colours, double minRadius,
                         const std::optional<std::vector<std::uint32_t>>& exact,
                         const std::function<void(double)>& tell) {
    FoundRegions found;
    const LabImage source = labImageOf(picture);
    tell(0.05);
    const LabImage smooth = picture.flat ? LabImage{} : smoothKeepingEdges(source);
    const LabImage& working = picture.flat ? source : smooth;
    tell(0.15);
    found.palette = exact ? labImageOf(Picture{static_cast<int>(exact->size()), 1, *exact}).pixels
                          : kMeansPalette(working, colours);
    std::vector<std::uint8_t> colourOf = nearestColours(working, found.palette);
    if (minRadius > kOnePixelsRadius) {
        absorbIsolatedPixels(colourOf, working, found.palette);
    }
    tell(0.3);
    found.map = connectedRegions(colourOf, picture.width, picture.height);
    found.colours = regionColours(found.map, source);
    return found;
}

}  // namespace

Segmentation segmentPicture(const Picture& picture, const RegionOptions& options, SegmentReport* report,
                            const std::function<void(double fraction)>& progress) {
    const std::function<void(double)> tell = [&](double fraction) {
        if (progress) {
            progress(fraction);
        }
    };
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) {
        if (report) {
            *report = {false, "the picture has no pixels"};
        }
        return {};
    }
    const int colours = std::clamp(options.colours, 2, 32), pieces = std::max(options.pieces, 1);
    // No disc wider than the picture fits in it anyway.
    const double minRadius =
        std::isfinite(options.minRadius)
            ? std::clamp(options.minRadius, 0.0, static_cast<double>(std::max(picture.width, picture.height)))
            : 0.0;
    const std::optional<std::vector<std::uint32_t>> exact =
        picture.flat ? exactColours(picture, colours) : std::nullopt;
    FoundRegions found = findRegions(picture, colours, minRadius, exact, tell);
    tell(0.35);
    const MergeCounts counts =
        mergeSmallRegions(found.map, found.colours, found.palette, {pieces, minRadius, options.discCentres},
                          [&](double fraction) { tell(0.35 + 0.6 * fraction); });
    if (report) {
        *report = reportOf(counts, options, pieces);
    }
    Segmentation segmentation =
        finishedSegmentation(found.map, found.colours, exact ? *exact : std::vector<std::uint32_t>{});
    tell(1.0);
    return segmentation;
}
