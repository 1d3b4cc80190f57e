// A picture cut into regions of one palette colour each, ready to be
// outlined: the palette found, each pixel given its nearest colour, and
// regions too small or too thin to paint merged away until the piece target
// is met.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "maker/picture.h"
#include "maker/regions/disc_fit.h"
#include "maker/segmentation.h"

struct RegionOptions {
    int colours = 12;        // 2 .. 32
    int pieces = 170;        // the target: met within 10% when the picture allows it
    double minRadius = 3.0;  // in the picture's pixels: every region holds a disc this wide
    // The pixels that disc may be centred on: where the board draws numbers,
    // so that every piece's number lies inside it. None: any pixel.
    std::optional<RegionBox> discCentres;
};

// Whether the piece target was met, and if not, why in plain words.
struct SegmentReport {
    bool targetMet = true;
    std::string note;
};

// The same picture and options always give the same segmentation. progress,
// when given, hears the fraction done (0 .. 1) now and then.
Segmentation segmentPicture(const Picture& picture, const RegionOptions& options,
                            SegmentReport* report = nullptr,
                            const std::function<void(double fraction)>& progress = {});
