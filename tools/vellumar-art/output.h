// The files the generator writes: bitmaps as BMP, the icon as PNG.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/vellumar-art/catalogue.h"

namespace art {

// NNN.bmp at 1x, NNN@2x.bmp ... NNN@4x.bmp for the larger variants.
std::string bitmapFileName(int id, int scale);
// The BMP file of a bitmap at a scale, at the depth the catalogue gives it.
std::vector<std::byte> bitmapFile(const Artwork& art, int scale);

// 101-16.png, 101-32.png, ...
std::string iconFileName(int size);
// The icon at a size as a PNG file with transparency.
std::vector<std::byte> iconFile(int size);

// Writes every bitmap into `bitmaps` and every icon size into `icons`,
// creating the folders. Answers false with a reason when a file cannot be written.
bool writeAll(const std::filesystem::path& bitmaps, const std::filesystem::path& icons, std::string& error);

}  // namespace art
