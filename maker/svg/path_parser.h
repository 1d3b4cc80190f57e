// The d attribute of a path: every command (M L H V C S Q T A Z, absolute
// and relative) into subpaths of cubic segments. Quadratic curves are
// raised to cubics exactly; elliptical arcs become cubics of at most a
// quarter turn each.
#pragma once

#include <string_view>
#include <vector>

#include "maker/svg/geometry.h"

namespace svg {

// As SVG does, reading stops at the first error and keeps what came before.
std::vector<Subpath> parsePathData(std::string_view d);

// The arc from `from` to `to` of the ellipse with radii rx, ry turned by
// `rotation` degrees, chosen by the two flags; appended as cubics.
void appendArc(std::vector<Segment>& out, PointD from, double rx, double ry, double rotation, bool largeArc,
               bool sweep, PointD to);

}  // namespace svg
