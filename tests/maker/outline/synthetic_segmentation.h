// Segmentations drawn in code for the outline tests and benchmarks: a map of
// colour numbers, cut into 4-connected regions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "maker/segmentation.h"

// Regions are the 4-connected runs of one colour number; palette entry c is
// a distinct colour for each number.
Segmentation segmentationOf(int width, int height, const std::function<int(int x, int y)>& colourAt);

// Circles of random colours (out of `colours`) over a background, from `seed`.
Segmentation randomBlobs(int width, int height, int circles, int colours, unsigned seed);

// Named pictures: rectangles, ring with island, checkerboard corner, spiral, frame bands.
struct NamedSegmentation {
    std::string name;
    Segmentation segmentation;
};
std::vector<NamedSegmentation> syntheticPictures();
