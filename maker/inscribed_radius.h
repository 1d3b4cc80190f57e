// How wide the narrowest piece is: the radius of the largest disc inside
// each region (pixels as squares), the smallest over all regions.
#pragma once

#include <optional>

#include "maker/regions/disc_fit.h"
#include "maker/segmentation.h"

// In the picture's pixels; 0 for an empty segmentation. With `centres`, only
// discs centred on those pixels count (a region with none there counts 0).
double smallestInscribedRadius(const Segmentation& segmentation,
                               const std::optional<RegionBox>& centres = std::nullopt);
