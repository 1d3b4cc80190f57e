// Helpers for comparing pictures in the art tests.
#pragma once

#include <cstddef>
#include <span>

#include "platform/pixels/surface.h"

namespace arttest {

// The bits per pixel a BMP file's header gives; 0 when it is not a BMP file.
int bmpBitsPerPixel(std::span<const std::byte> file);

// The picture shrunk by a whole factor, each pixel the rounded mean of its
// factor x factor block.
platform::Surface shrink(const platform::Surface& picture, int factor);

// The mean absolute difference of two equally large pictures, over all
// pixels and the three channels, in levels of 0 ... 255.
double meanAbsoluteDifference(const platform::Surface& a, const platform::Surface& b);

// The share (0 ... 1) of pixels whose mean absolute difference over the
// three channels exceeds `levels`, of two equally large pictures.
double shareDifferingBeyond(const platform::Surface& a, const platform::Surface& b, int levels);

// The number of different colours in a picture.
std::size_t colourCount(const platform::Surface& picture);

}  // namespace arttest
