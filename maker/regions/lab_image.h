// A picture's pixels in CIELAB, where distances are close to what the eye
// sees, stored as floats: every step that compares colours works on these.
#pragma once

#include <cstdint>
#include <vector>

#include "maker/picture.h"

struct LabPixel {
    float l = 0, a = 0, b = 0;
};

struct LabImage {
    int width = 0;
    int height = 0;
    std::vector<LabPixel> pixels;  // row by row from the top
};

LabImage labImageOf(const Picture& picture);

// The nearest 8-bit sRGB colour (0x00RRGGBB), clamped into the sRGB gamut.
std::uint32_t rgbOfLab(const LabPixel& lab);

inline float squaredDistance(const LabPixel& x, const LabPixel& y) {
    const float dl = x.l - y.l, da = x.a - y.a, db = x.b - y.b;
    return dl * dl + da * da + db * db;
}
