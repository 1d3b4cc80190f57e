#include "maker/svg/geometry.h"

namespace svg {

Segment lineSegment(PointD from, PointD to) {
    const PointD d{to.x - from.x, to.y - from.y};
    return {
        from, {from.x + d.x / 3, from.y + d.y / 3}, {from.x + 2 * d.x / 3, from.y + 2 * d.y / 3}, to, true};
}

void transformSubpaths(std::vector<Subpath>& subpaths, const Affine& m) {
    for (Subpath& s : subpaths) {
        for (Segment& g : s.segments) {
            g.p0 = m.apply(g.p0);
            g.p1 = m.apply(g.p1);
            g.p2 = m.apply(g.p2);
            g.p3 = m.apply(g.p3);
        }
    }
}

}  // namespace svg
