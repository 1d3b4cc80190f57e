#include "maker/outline/picture_frame.h"

#include "pattern/pattern_writer.h"

PictureFrame frameOf(int width, int height) {
    const PatternExtent extent = patternExtentOf(width, height);
    return {width,
            height,
            -0.5 * extent.width,
            -0.5 * extent.height,
            static_cast<double>(extent.width) / width,
            static_cast<double>(extent.height) / height};
}
