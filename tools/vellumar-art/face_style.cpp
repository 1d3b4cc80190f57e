#include "tools/vellumar-art/face_style.h"

#include <algorithm>

namespace art {

void buttonFace(Painter& p, Look look) {
    const double w = p.width();
    const double h = p.height();
    // Small buttons get tighter corners so their marks keep the room.
    const double r = std::min(w, h) < 16 ? 2.0 : 3.0;
    p.fill(kPurple);
    if (look == Look::held) {
        p.roundRect(0, 0, w, h, r, kHeldEdge);
        p.roundRect(1, 1, w, h, r - 1, kHeldFace);
    } else {
        p.roundRect(0, 0, w, h, r, kLight);
        p.roundRect(1, 1, w - 1, h - 1, r - 1, kShade);
    }
}

}  // namespace art
