// The toolbar's faces, 28 pixels high; marks are centred on the face.
#include <cmath>

#include "tools/vellumar-art/pictures.h"

namespace art {

void magnifier(Painter& p, Look look, bool plus) {
    buttonFace(p, look);
    drawMark(p, look, {kWhite, kWhite}, [plus](Painter& q, Ink ink) {
        const double cx = 8.5, cy = 12.5;
        q.stroke({{cx + 3.6, cy + 3.6}, {15.2, 19.2}}, 2.6, ink.main);
        q.ring(cx, cy, 5.4, 3.7, ink.main);
        // One pixel thick on whole pixels, so the sign stays crisp at 1x.
        q.rect(cx - 2.5, cy - 0.5, cx + 2.5, cy + 0.5, ink.main);
        if (plus) {
            q.rect(cx - 0.5, cy - 2.5, cx + 0.5, cy + 2.5, ink.main);
        }
    });
}

namespace {

// A loudspeaker facing right, its magnet's back edge at x.
void speaker(Painter& p, double x, Pixel ink) {
    p.rect(x, 11, x + 3.5, 17, ink);
    p.polygon({{x + 3, 11}, {x + 8, 7}, {x + 8, 21}, {x + 3, 17}}, ink);
}

}  // namespace

void loudspeaker(Painter& p, bool silenced) {
    buttonFace(p, Look::normal);
    if (!silenced) {
        drawMark(p, Look::normal, {kWhite, kWhite}, [](Painter& q, Ink ink) {
            speaker(q, 4.5, ink.main);
            q.arc(12.5, 14, 4.5, -40, 40, 1.5, ink.main);
            q.arc(12.5, 14, 7.5, -42, 42, 1.5, ink.main);
        });
        return;
    }
    drawMark(p, Look::normal, {kWhite, kWhite}, [](Painter& q, Ink ink) { speaker(q, 8, ink.main); });
    // The prohibition sign over it: a red ring and its falling bar.
    const double cx = 12.5, cy = 14, r = 9.2;
    p.ring(cx, cy, r + 1, r - 1, kRed);
    const Pt a = onCircle(cx, cy, r - 0.5, 225);
    const Pt b = onCircle(cx, cy, r - 0.5, 45);
    p.stroke({a, b}, 2.0, kRed, Cap::butt);
}

void clockFace(Painter& p, Look look) {
    buttonFace(p, Look::normal);
    const Ink ink = look == Look::normal ? Ink{kWhite, kInk} : Ink{kDim, kShade};
    drawMark(p, look, ink, [](Painter& q, Ink i) {
        const double cx = 9.5, cy = 14;
        q.disc(cx, cy, 7, i.main);
        for (int hour = 0; hour < 12; hour += 3) {
            const Pt outer = onCircle(cx, cy, 5.6, hour * 30.0);
            const Pt inner = onCircle(cx, cy, 4.6, hour * 30.0);
            q.stroke({inner, outer}, 1.0, i.detail, Cap::butt);
        }
        q.stroke({{cx, cy}, {cx, cy - 4.2}}, 1.3, i.detail);
        q.stroke({{cx, cy}, {cx + 3.0, cy + 1.2}}, 1.3, i.detail);
    });
}

void toStart(Painter& p, Look look) {
    buttonFace(p, look);
    drawMark(p, look, {kWhite, kWhite}, [](Painter& q, Ink ink) {
        q.rect(4, 8.5, 6, 19.5, ink.main);
        q.polygon({{6.5, 14}, {15, 8.5}, {15, 19.5}}, ink.main);
    });
}

void toEnd(Painter& p, Look look) {
    buttonFace(p, look);
    drawMark(p, look, {kWhite, kWhite}, [](Painter& q, Ink ink) {
        q.polygon({{4, 8.5}, {12.5, 14}, {4, 19.5}}, ink.main);
        q.rect(13, 8.5, 15, 19.5, ink.main);
    });
}

void pauseBars(Painter& p, Look look) {
    buttonFace(p, Look::normal);
    drawMark(p, look, {kWhite, kWhite}, [](Painter& q, Ink ink) {
        q.rect(3, 9, 5.5, 19, ink.main);
        q.rect(7.5, 9, 10, 19, ink.main);
    });
}

void questionMark(Painter& p, Look look) {
    buttonFace(p, look);
    drawMark(p, look, {kWhite, kWhite}, [](Painter& q, Ink ink) {
        const double cx = 5, cy = 11.2, r = 2.5;
        q.arc(cx, cy, r, 195, 450, 1.8, ink.main, Cap::butt);
        const Pt hook = onCircle(cx, cy, r, 195);
        q.disc(hook.x, hook.y, 0.9, ink.main);
        q.stroke({{cx, cy + r}, {cx, cy + r + 2.2}}, 1.8, ink.main, Cap::butt);
        q.disc(cx, 19.2, 1.15, ink.main);
    });
}

}  // namespace art
