#include "maker/make_pattern.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "maker/board_scale.h"
#include "maker/input/read_picture.h"
#include "maker/inscribed_radius.h"
#include "maker/outline/label_place.h"
#include "maker/outline/outline_pattern.h"
#include "maker/regions/segment_picture.h"

namespace {

// Shares of the work, for progress: reading, regions, outline.
constexpr double kReadShare = 0.1, kRegionShare = 0.7;

// Seconds since `mark`, which moves on to now.
double lap(std::chrono::steady_clock::time_point& mark) {
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - mark).count();
    mark = now;
    return seconds;
}

// The pixels whose centres lie where the board draws numbers.
RegionBox numberPixels(int width, int height) {
    const LabelBox box = labelBoxOf(frameOf(width, height));
    return {static_cast<int>(std::ceil(box.minX - 0.5)), static_cast<int>(std::ceil(box.minY - 0.5)),
            static_cast<int>(std::floor(box.maxX - 0.5)), static_cast<int>(std::floor(box.maxY - 0.5))};
}

}  // namespace

MakeOptions optionsFor(Detail detail) {
    MakeOptions options;
    switch (detail) {
        case Detail::Easy:
            options.colours = 8;
            options.pieces = 60;
            break;
        case Detail::Medium:
            options.colours = 12;
            options.pieces = 170;
            break;
        case Detail::Hard:
            options.colours = 24;
            options.pieces = 400;
            break;
    }
    return options;
}

std::optional<PatternFile> makePattern(const std::string& path, const MakeOptions& options,
                                       MakeReport& report, std::string& error,
                                       const std::function<void(double)>& progress) {
    const auto tell = [&](double fraction) {
        if (progress) {
            progress(fraction);
        }
    };
    report = {};
    auto mark = std::chrono::steady_clock::now();
    PictureReadResult read = readPicture(path, options.maxLongSide, options.framing);
    if (!read.picture) {
        error = read.error;
        return std::nullopt;
    }
    report.picture = std::move(*read.picture);
    report.notes = std::move(read.notes);
    report.readSeconds = lap(mark);
    tell(kReadShare);

    const double boardPixel = picturePixelsPerBoardPixel(report.picture.width, report.picture.height);
    const RegionBox numbers = numberPixels(report.picture.width, report.picture.height);
    const RegionOptions regions{std::clamp(options.colours, 2, 32), std::max(options.pieces, 1),
                                options.minRadius * boardPixel, numbers};
    SegmentReport segmentReport;
    report.segmentation = segmentPicture(report.picture, regions, &segmentReport,
                                         [&](double f) { tell(kReadShare + kRegionShare * f); });
    report.targetMet = segmentReport.targetMet;
    if (!segmentReport.note.empty()) {
        report.notes.push_back(segmentReport.note);
    }
    if (report.segmentation.regionCount() == 0) {
        error = segmentReport.note.empty() ? "cannot be cut into pieces" : segmentReport.note;
        return std::nullopt;
    }
    report.smallestRadius = smallestInscribedRadius(report.segmentation, numbers) / boardPixel;
    report.regionSeconds = lap(mark);
    tell(kReadShare + kRegionShare);

    std::optional<PatternFile> file =
        outlinePattern(report.segmentation, OutlineOptions{options.variant}, error);
    report.outlineSeconds = lap(mark);
    tell(1.0);
    return file;
}
