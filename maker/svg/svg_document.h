// Reads an SVG document into its filled shapes, in document order, each
// with one solid colour: fills blended against white by their opacity,
// gradients taken as the mean of their stops. Strokes are left out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "maker/svg/geometry.h"

namespace svg {

struct Shape {
    std::vector<Subpath> subpaths;        // in the viewBox's units, every transform applied
    double red = 0, green = 0, blue = 0;  // 0 ... 255, opacity already blended against white
    bool evenOdd = false;
    std::string name;  // the element's id, or its tag and place, for messages
};

struct Picture {
    double x = 0, y = 0, width = 0, height = 0;  // the viewBox
    std::vector<Shape> shapes;                   // later shapes lie over earlier ones
    std::vector<std::string> warnings;           // what was left out, once per kind
};

// Nothing, with `error` saying why, for text that is not an SVG document or
// has neither a viewBox nor a width and height.
std::optional<Picture> readSvg(const std::string& text, std::string& error);

}  // namespace svg
