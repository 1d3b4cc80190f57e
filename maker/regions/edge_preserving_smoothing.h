// Smooths a photograph's noise and fine texture away while keeping its edges,
// so that the palette and the regions follow the shapes a person sees rather
// than the grain: a bilateral filter, run along rows and then along columns.
// How far apart two colours may be and still mix follows the picture's own
// grain, so a noisy photograph is smoothed harder than a clean one.
#pragma once

#include "maker/regions/lab_image.h"

struct SmoothingOptions {
    int radius = 3;             // pixels on each side of the centre
    float spatialSigma = 2.0f;  // in pixels
    // In CIELAB units: colours farther apart than ~3 sigma do not mix. 0:
    // from the picture's grain, at least kLeastRangeSigma.
    float rangeSigma = 0.0f;
};

constexpr float kLeastRangeSigma = 7.0f;

// The picture's grain: the median size of the second difference of colours
// along rows (which a smooth gradient does not have), in CIELAB units.
float grainOf(const LabImage& image);

LabImage smoothKeepingEdges(const LabImage& image, const SmoothingOptions& options = {});
