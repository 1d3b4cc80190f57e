// Picture files into the maker's Picture: PNG, JPEG, BMP and GIF (the first
// frame) through stb_image, SVG through the SVG reader drawn flat. The kind is
// told by the content, never by the file's name.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "maker/picture.h"

struct PictureReadResult {
    std::optional<Picture> picture;
    std::string error;               // when there is no picture: why, to follow the file's name
    std::vector<std::string> notes;  // what an SVG left out (text, strokes...), once per kind
};

// maxLongSide 0: the default for the kind (1024 for raster files, 2048 for
// SVG). Raster pictures are only ever scaled down; SVG is drawn at that size.
PictureReadResult readPicture(const std::string& path, int maxLongSide = 0);
PictureReadResult readPictureFromMemory(std::span<const std::byte> bytes, int maxLongSide = 0);

inline constexpr int kDefaultRasterLongSide = 1024;
inline constexpr int kDefaultSvgLongSide = 2048;
