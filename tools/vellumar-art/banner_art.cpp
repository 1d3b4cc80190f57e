// The title banner and the program's icon: a painter's palette with dabs of
// paint, in the game's purple and lavender.
#include "tools/vellumar-art/pictures.h"

namespace art {

namespace {

constexpr Pixel kPaints[] = {rgb(228, 52, 60), rgb(246, 196, 52), rgb(74, 176, 96), rgb(66, 128, 222)};

// A palette filling the box (left, top, size): lavender with a thumb hole
// and a notch cut in `hole`, four dabs of paint along its upper rim.
void paletteMotif(Painter& p, double left, double top, double size, Pixel hole) {
    const double u = size / 16.0;
    const auto at = [&](double x, double y) { return Pt{left + x * u, top + y * u}; };
    const Pt centre = at(8, 8.4);
    p.ellipse(centre.x, centre.y, 7.4 * u, 6.2 * u, kShadow);
    p.ellipse(centre.x, centre.y, 6.8 * u, 5.6 * u, kLight);
    const Pt notch = at(2.2, 11.6);
    p.disc(notch.x, notch.y, 2.0 * u, hole);
    const Pt thumb = at(5.6, 10.6);
    p.disc(thumb.x, thumb.y, 1.2 * u, hole);
    const Pt dabs[] = {at(4.6, 6.0), at(7.9, 4.8), at(11.2, 5.6), at(12.3, 8.9)};
    for (int i = 0; i < 4; ++i) {
        p.disc(dabs[i].x, dabs[i].y, 1.35 * u, kPaints[i]);
    }
}

// A brush lying across the palette, its tip dipped in paint.
void brush(Painter& p, double left, double top, double size) {
    const double u = size / 16.0;
    const auto at = [&](double x, double y) { return Pt{left + x * u, top + y * u}; };
    p.stroke({at(15.0, 1.4), at(10.6, 7.4)}, 1.5 * u, kShadow);
    p.stroke({at(14.8, 1.6), at(10.8, 7.2)}, 1.0 * u, rgb(214, 164, 104));
    p.stroke({at(10.8, 7.2), at(9.8, 8.6)}, 1.3 * u, rgb(222, 222, 232), Cap::butt);
    p.polygon({at(9.3, 8.2), at(10.3, 9.0), at(8.2, 11.6)}, kPaints[0]);
}

}  // namespace

void banner(Painter& p) {
    p.fill(kPurple);
    paletteMotif(p, 8, 5, 32, kPurple);
    brush(p, 8, 5, 32);
    const double left = 46, right = 238, top = -2, bottom = 40, size = 30;
    p.text(u"Vellumar", u"Liberation Serif", 700, size, left + 1.2, top + 1.2, right + 1.2, bottom + 1.2,
           kShadow);
    p.text(u"Vellumar", u"Liberation Serif", 700, size, left, top, right, bottom, kWhite);
    // Under the name, a row of swatches like the game's palette.
    const Pixel swatches[] = {kPaints[0], kPaints[1], kPaints[2], kPaints[3],
                              kLight,     kPaints[0], kPaints[1], kPaints[2]};
    const double width = 11, gap = 2, first = (left + right) / 2 - (8 * width + 7 * gap) / 2;
    for (int i = 0; i < 8; ++i) {
        const double x = first + i * (width + gap);
        p.rect(x + 0.8, 35.8, x + width + 0.8, 38.8, kShadow);
        p.rect(x, 35, x + width, 38, swatches[i]);
    }
}

void icon(Painter& p) {
    p.fill(Painter::kTransparent);
    const double s = p.width();
    p.roundRect(0, 0, s, s, s * 0.2, kPurple);
    paletteMotif(p, s * 0.06, s * 0.08, s * 0.88, kPurple);
    brush(p, s * 0.06, s * 0.08, s * 0.88);
}

}  // namespace art
