// SVG colour values: the named colours, #rgb, #rrggbb, rgb() and rgba()
// (numbers or percentages), and "transparent".
#pragma once

#include <optional>
#include <string_view>

namespace svg {

struct Rgba {
    double red = 0, green = 0, blue = 0;  // 0 ... 255
    double alpha = 1;                     // 0 ... 1
};

std::optional<Rgba> parseColour(std::string_view text);

// The colour's 0 ... 255 channels if `name` is one of the named colours.
std::optional<Rgba> namedColour(std::string_view name);

}  // namespace svg
