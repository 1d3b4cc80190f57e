// How wide the narrowest piece is: the radius of the largest disc inside
// each region (pixels as squares), the smallest over all regions.
#pragma once

#include "maker/segmentation.h"

// In the picture's pixels; 0 for an empty segmentation.
double smallestInscribedRadius(const Segmentation& segmentation);
