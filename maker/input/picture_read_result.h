// What reading a picture file gives: the picture, or why there is none.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "maker/picture.h"

struct PictureReadResult {
    std::optional<Picture> picture;
    std::string error;               // when there is no picture: why, to follow the file's name
    std::vector<std::string> notes;  // what an SVG left out (text, strokes...), once per kind
};
