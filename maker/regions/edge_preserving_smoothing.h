// Smooths a photograph's noise and fine texture away while keeping its edges,
// so that the palette and the regions follow the shapes a person sees rather
// than the grain: a bilateral filter, run along rows and then along columns.
#pragma once

#include "maker/regions/lab_image.h"

struct SmoothingOptions {
    int radius = 3;             // pixels on each side of the centre
    float spatialSigma = 2.0f;  // in pixels
    float rangeSigma = 7.0f;    // in CIELAB units: colours farther apart than ~3 sigma do not mix
};

LabImage smoothKeepingEdges(const LabImage& image, const SmoothingOptions& options = {});
