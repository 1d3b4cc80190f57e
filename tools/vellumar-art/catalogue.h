// Every bitmap resource the game draws, with its size, depth and picture,
// and the sizes of the program's icon.
#pragma once

#include <array>
#include <functional>
#include <span>

#include "tools/vellumar-art/painter.h"

namespace art {

struct Artwork {
    int id;
    int width;
    int height;
    int bitsPerPixel;  // 8 (palettised) or 24
    const char* what;
    std::function<void(Painter&)> draw;
    // Pictures that are not shapes (the help charts, which show the game's
    // own drawing) are made whole at each scale instead.
    std::function<Surface(int scale)> render = {};
};

std::span<const Artwork> catalogue();

// The scales each bitmap is drawn at: 1x and the larger variants.
inline constexpr std::array<int, 4> kScales = {1, 2, 3, 4};

inline constexpr int kIconId = 101;
inline constexpr std::array<int, 6> kIconSizes = {16, 32, 48, 64, 128, 256};

// The picture of a bitmap at a scale, and of the icon at a size.
Surface drawArtwork(const Artwork& art, int scale);
Coverage drawIcon(int size);

}  // namespace art
