// The sum of the source colours of each region's pixels, and their count:
// all that the steps after the regions are found need to know of the source.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/regions/connected_regions.h"
#include "maker/regions/lab_image.h"

struct RegionColour {
    double l = 0, a = 0, b = 0;
    std::int64_t area = 0;

    LabPixel mean() const {
        return {static_cast<float>(l / area), static_cast<float>(a / area), static_cast<float>(b / area)};
    }
    void add(const RegionColour& other) {
        l += other.l;
        a += other.a;
        b += other.b;
        area += other.area;
    }
};

std::vector<RegionColour> regionColours(const RegionMap& map, const LabImage& source);
