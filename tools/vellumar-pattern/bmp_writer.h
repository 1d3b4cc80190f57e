// Writes 24-bit BMP files: the chooser's thumbnails. Bottom-up rows of blue,
// green, red bytes, each row padded to a multiple of 4 bytes, after a
// 14-byte file header and a 40-byte BITMAPINFOHEADER; no palette, no
// compression. The game reads them back with its own BMP decoder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/surface.h"

// The bytes of the file; empty for an empty surface.
std::vector<std::byte> encodeBmp24(const platform::Surface& surface);

// `path` is UTF-8. False when the surface is empty or the file cannot be written.
bool writeBmp24(const platform::Surface& surface, const std::string& path);
