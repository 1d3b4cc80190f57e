// Picture files into the maker's Picture: PNG, JPEG, BMP and GIF (the first
// frame) through stb_image, SVG through the SVG reader drawn flat. The kind is
// told by the content, never by the file's name.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "maker/input/picture_read_result.h"
#include "maker/picture.h"

// How an SVG drawing is framed; raster pictures ignore it.
struct SvgFraming {
    std::uint32_t background = 0xFFFFFF;  // 0x00RRGGBB under the drawing
    // Drawn instead of the viewBox (x, y, width, height in its units); what
    // reaches beyond is cut at the edge.
    std::optional<std::array<double, 4>> view;
};

// maxLongSide 0: the default for the kind (1024 for raster files, 2048 for
// SVG). Raster pictures are only ever scaled down; SVG is drawn at that size.
PictureReadResult readPicture(const std::string& path, int maxLongSide = 0, const SvgFraming& framing = {});
PictureReadResult readPictureFromMemory(std::span<const std::byte> bytes, int maxLongSide = 0,
                                        const SvgFraming& framing = {});

inline constexpr int kDefaultRasterLongSide = 1024;
inline constexpr int kDefaultSvgLongSide = 2048;
