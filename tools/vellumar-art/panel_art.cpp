// The status row's small buttons, 13 pixels high, the level dots and the flat
// panels the game writes its text and clock on.
#include <cmath>
#include <numbers>
#include <vector>

#include "tools/vellumar-art/pictures.h"

namespace art {

void levelDot(Painter& p, bool current) {
    p.fill(kPurple);
    p.disc(5, 5, 4.6, kLight);
    p.disc(5, 5, 3.6, current ? kShade : kHeldEdge);
    p.disc(5, 5, 2.2, current ? kWhite : kInk);
}

void power(Painter& p, Look look) {
    buttonFace(p, look);
    drawMark(p, look, {kWhite, kWhite}, [](Painter& q, Ink ink) {
        q.arc(6.5, 7, 3.5, 305, 595, 1.4, ink.main);
        q.stroke({{6.5, 2.6}, {6.5, 6.6}}, 1.4, ink.main);
    });
}

void openFolder(Painter& p, Look look) {
    buttonFace(p, look);
    drawMark(p, look, {kWhite, kLight}, [](Painter& q, Ink ink) {
        // The back with its tab, then the front flap tipped open over it.
        q.polygon({{4.5, 2.5}, {8.5, 2.5}, {9.5, 3.8}, {15.5, 3.8}, {15.5, 10.5}, {4.5, 10.5}}, ink.main);
        q.polygon({{5.5, 3.5}, {8.1, 3.5}, {9.1, 4.8}, {14.5, 4.8}, {14.5, 9.5}, {5.5, 9.5}}, ink.detail);
        q.polygon({{7, 6}, {18.5, 6}, {15.5, 10.5}, {4.5, 10.5}}, ink.main);
    });
}

void schemeStroke(Painter& p, Pixel stroke, Pixel field) {
    p.fill(kLight);
    p.rect(1, 1, 16, 12, field);
    // An angular S, one pixel wide at 1x so that every bar sits on whole pixels.
    p.stroke({{12, 3.5}, {5.5, 3.5}, {5.5, 6.5}, {11.5, 6.5}, {11.5, 9.5}, {5, 9.5}}, 1.0, stroke,
             Cap::square);
}

namespace {

// A closed, gently lobed outline around (cx, cy): the edge of a piece.
std::vector<Pt> pieceOutline(double cx, double cy, double rx, double ry) {
    std::vector<Pt> points;
    for (int i = 0; i <= 48; ++i) {
        const double a = i * 7.5 * std::numbers::pi / 180.0;
        const double wobble = 1.0 + 0.13 * std::sin(3.0 * a + 0.6);
        points.push_back({cx + rx * wobble * std::cos(a), cy + ry * wobble * std::sin(a)});
    }
    return points;
}

}  // namespace

void paintingMode(Painter& p, bool arrow, bool digit) {
    buttonFace(p, Look::normal);
    drawMark(p, Look::normal, {kWhite, kWhite}, [&](Painter& q, Ink ink) {
        q.stroke(pieceOutline(5.2, 6.0, 2.9, 3.1), 1.0, ink.main);
        if (arrow) {
            // A pointer at the lower right, aiming into the piece.
            q.polygon(
                {{7.4, 7.4}, {11.0, 8.4}, {9.7, 9.0}, {11.6, 10.9}, {10.9, 11.6}, {9.0, 9.7}, {8.4, 11.0}},
                ink.main);
        }
        if (digit) {
            // A small 1 at the upper right, the number a piece carries.
            q.rect(10.0, 2.0, 11.0, 6.5, ink.main);
            q.polygon({{9.0, 3.0}, {10.0, 2.0}, {11.0, 2.0}, {9.0, 4.0}}, ink.main);
        }
    });
}

void cross(Painter& p, Look look) {
    buttonFace(p, look);
    const Pixel ink = look == Look::held ? rgb(150, 146, 158) : kInk;
    const double shift = look == Look::held ? 0.6 : 0.0;
    p.moveBy(shift, shift);
    p.stroke({{3.6, 3.6}, {9.4, 9.4}}, 1.7, ink);
    p.stroke({{9.4, 3.6}, {3.6, 9.4}}, 1.7, ink);
    p.moveBy(-shift, -shift);
}

namespace {

// A flat lavender panel with a one-pixel lighter frame.
void panel(Painter& p, double left, double right) {
    p.rect(left, 0, right, p.height(), kLight);
    p.rect(left + 1, 1, right - 1, p.height() - 1, kPanel);
}

}  // namespace

void nameField(Painter& p) {
    panel(p, 0, p.width());
}

void clockPanel(Painter& p) {
    panel(p, 0, p.width());
}

void statusField(Painter& p) {
    // Cells for the pieces, colours and misses left; the game centres its
    // counters on them at any stretch.
    p.fill(kDivider);
    panel(p, 0, 22);
    panel(p, 24, 41);
    panel(p, 43, 60);
}

}  // namespace art
