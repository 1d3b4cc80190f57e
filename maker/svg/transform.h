// The transform attribute: a list of matrix, translate, scale, rotate (with
// an optional centre), skewX and skewY, applied right to left to points.
#pragma once

#include <optional>
#include <string_view>

#include "maker/svg/geometry.h"

namespace svg {

// Nothing when the list is malformed (SVG then ignores the attribute).
std::optional<Affine> parseTransform(std::string_view text);

}  // namespace svg
