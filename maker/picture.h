// A picture as the pattern maker reads it: flat RGB pixels, whatever the file
// it came from.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
    // Vector art drawn flat: its colours are exact, so no smoothing, and it
    // keeps its own colours when it has few enough.
    bool flat = false;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
