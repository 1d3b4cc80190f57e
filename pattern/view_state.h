// Where the board looks: its size and centre in pixels, the part of the
// picture it shows in pattern units, and the zoom. The calls that change it
// are in pattern/view_transform.h.
#pragma once

#include <cstdint>

struct ViewTransform {
    std::int32_t screenCentreX = 0;
    std::int32_t screenCentreY = 0;
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;
    float screenAspect = 0.0f;
    std::int32_t fitWidth = 0;
    std::int32_t fitHeight = 0;
    std::int32_t extentWidthUnits = 0;
    std::int32_t extentHeightUnits = 0;
    std::int32_t visibleWidth = 0;
    std::int32_t visibleHeight = 0;
    std::int32_t viewCentreX = 0;
    std::int32_t viewCentreY = 0;
    float zoom = 1.0f;
};
