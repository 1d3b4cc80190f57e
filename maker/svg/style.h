// The fill-related style of an element: presentation attributes, overridden
// by the style attribute, inherited down the tree as SVG inherits them.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "maker/svg/colour.h"

namespace svg {

using Properties = std::map<std::string, std::string, std::less<>>;

// "name: value; ..." of a style attribute; later declarations win.
Properties parseStyleAttribute(std::string_view text);

struct Paint {
    enum class Kind { None, Colour, Reference, CurrentColour };
    Kind kind = Kind::Colour;
    Rgba colour;            // Colour
    std::string reference;  // Reference: the id of a gradient
    std::optional<Rgba> fallback;
};

std::optional<Paint> parsePaint(std::string_view text);

struct Style {
    // Inherited.
    Paint fill;  // black
    double fillOpacity = 1;
    bool evenOdd = false;
    bool visible = true;
    Rgba color;  // for currentColor
    // Not inherited, but carried down: the product of the opacities of the
    // element and its ancestors (a group's opacity applied to each shape in
    // it, which is exact where the group's shapes do not overlap), and
    // whether anything on the way said display: none.
    double opacity = 1;
    bool displayed = true;
};

// The style of an element with properties `own` inside `parent`.
Style cascade(const Style& parent, const Properties& own);

}  // namespace svg
