// Pictures for the pattern maker's benchmarks.
#pragma once

#include <string>

#include "maker/picture.h"

// 1024 x 768: smooth gradients, soft-edged shapes and sensor-like noise.
const Picture& photographLike();
// 1024 x 768: overlapping shapes in 12 flat colours, no anti-aliasing.
const Picture& flatArt();
// A PNG or JPEG file scaled down (area average) to at most `longSide`
// pixels on its long side; empty when it cannot be read.
Picture loadScaledPicture(const std::string& path, int longSide);
