// One function per picture. Each draws the whole picture at the painter's
// size; the catalogue says which resource and size it is.
#pragma once

#include "tools/vellumar-art/face_style.h"

namespace art {

// Toolbar faces (toolbar_art.cpp).
void magnifier(Painter& p, Look look, bool plus);
void loudspeaker(Painter& p, bool silenced);
void clockFace(Painter& p, Look look);
void toStart(Painter& p, Look look);
void pauseBars(Painter& p, Look look);
void toEnd(Painter& p, Look look);
void questionMark(Painter& p, Look look);

// The status row's small buttons and panels (panel_art.cpp).
void levelDot(Painter& p, bool current);
void power(Painter& p, Look look);
void openFolder(Painter& p, Look look);
void schemeStroke(Painter& p, Pixel stroke, Pixel field);
void paintingMode(Painter& p, bool arrow, bool digit);
void cross(Painter& p, Look look);
void nameField(Painter& p);
void statusField(Painter& p);
void clockPanel(Painter& p);

// The banner and the program's icon (banner_art.cpp).
void banner(Painter& p);
void icon(Painter& p);

// The help screen's charts of the controls (chart_art.cpp): the game's
// screen as it lays itself out, with every control named. Made whole at a
// scale, text included, rather than from shapes.
Surface helpChart(bool portrait, int scale);

}  // namespace art
