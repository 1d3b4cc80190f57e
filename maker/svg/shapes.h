// The outline of a path or basic shape element (rect with rx/ry, circle,
// ellipse, polygon, polyline), in the element's own user units.
#pragma once

#include <pugixml.hpp>
#include <vector>

#include "maker/svg/geometry.h"

namespace svg {

// Empty for an element that is not a fillable shape, or one SVG would not
// draw (a rect of no width, a circle of no radius, a polygon of one point).
std::vector<Subpath> shapeOutline(const pugi::xml_node& element);

}  // namespace svg
