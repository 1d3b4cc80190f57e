// Writes the chooser's thumbnails as 24-bit BMP files (platform/pixels/bmp_encoder.h),
// which the game reads back with its own BMP decoder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/pixels/surface.h"

// `path` is UTF-8. False when the surface is empty or the file cannot be written.
bool writeBmp24(const platform::Surface& surface, const std::string& path);
