// The colours and the button face every picture shares, so the faces read as
// one set: lavender buttons on the window's purple, white marks with a soft
// dark shadow, and dimmed marks for a button held down or a setting turned off.
#pragma once

#include "tools/vellumar-art/painter.h"

namespace art {

inline constexpr Pixel kPurple = rgb(110, 87, 158);  // the window's background
inline constexpr Pixel kLight = rgb(180, 166, 202);
inline constexpr Pixel kShade = rgb(155, 143, 179);
inline constexpr Pixel kPanel = rgb(155, 144, 179);   // the flat text and clock panels
inline constexpr Pixel kDivider = rgb(105, 84, 154);  // between the status panel's cells
inline constexpr Pixel kShadow = rgb(88, 68, 132);    // under white marks
inline constexpr Pixel kInk = rgb(58, 40, 92);        // dark marks
inline constexpr Pixel kDim = rgb(204, 196, 222);     // a mark that is off or held down
inline constexpr Pixel kHeldFace = rgb(136, 122, 166);
inline constexpr Pixel kHeldEdge = rgb(94, 74, 140);
inline constexpr Pixel kWhite = rgb(255, 255, 255);
inline constexpr Pixel kBlack = rgb(0, 0, 0);
inline constexpr Pixel kRed = rgb(222, 36, 44);

enum class Look {
    normal,  // white mark, raised face
    held,    // the button is held down: darker face, dimmed mark moved down and right
    dimmed,  // a setting that is off: dimmed mark on the raised face
};

// The two inks of a mark: most of it, and its details (clock hands, a folder's back).
struct Ink {
    Pixel main;
    Pixel detail;
};

// Fills the picture with the purple and puts the lavender face over it.
void buttonFace(Painter& p, Look look);

// Draws a mark on a face in the look's inks: over its shadow when normal.
template <class Mark>
void drawMark(Painter& p, Look look, Ink normal, Mark mark) {
    switch (look) {
        case Look::normal:
            p.moveBy(0.8, 0.8);
            mark(p, Ink{kShadow, kShadow});
            p.moveBy(-0.8, -0.8);
            mark(p, normal);
            break;
        case Look::held:
            p.moveBy(0.6, 0.6);
            mark(p, Ink{kDim, kShade});
            p.moveBy(-0.6, -0.6);
            break;
        case Look::dimmed:
            mark(p, Ink{kDim, kShade});
            break;
    }
}

}  // namespace art
