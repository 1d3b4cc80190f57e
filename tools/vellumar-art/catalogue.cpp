#include "tools/vellumar-art/catalogue.h"

#include <vector>

#include "tools/vellumar-art/pictures.h"

namespace art {

std::span<const Artwork> catalogue() {
    static const std::vector<Artwork> all = {
        {700, 243, 42, 8, "title banner", banner},
        {702, 19, 28, 8, "zoom in", [](Painter& p) { magnifier(p, Look::normal, true); }},
        {703, 19, 28, 8, "zoom in, held", [](Painter& p) { magnifier(p, Look::held, true); }},
        {704, 19, 28, 8, "zoom out", [](Painter& p) { magnifier(p, Look::normal, false); }},
        {705, 19, 28, 8, "zoom out, held", [](Painter& p) { magnifier(p, Look::held, false); }},
        {706, 25, 28, 8, "sound on", [](Painter& p) { loudspeaker(p, false); }},
        {707, 25, 28, 8, "sound off", [](Painter& p) { loudspeaker(p, true); }},
        {708, 19, 28, 8, "clock shown", [](Painter& p) { clockFace(p, Look::normal); }},
        {709, 19, 28, 8, "clock hidden", [](Painter& p) { clockFace(p, Look::dimmed); }},
        {710, 19, 28, 8, "back to start", [](Painter& p) { toStart(p, Look::normal); }},
        {711, 19, 28, 8, "back to start, held", [](Painter& p) { toStart(p, Look::held); }},
        {712, 13, 28, 8, "paused", [](Painter& p) { pauseBars(p, Look::dimmed); }},
        {713, 13, 28, 8, "running", [](Painter& p) { pauseBars(p, Look::normal); }},
        {714, 19, 28, 8, "to the end", [](Painter& p) { toEnd(p, Look::normal); }},
        {715, 19, 28, 8, "to the end, held", [](Painter& p) { toEnd(p, Look::held); }},
        {716, 10, 28, 8, "help", [](Painter& p) { questionMark(p, Look::normal); }},
        {717, 10, 28, 24, "help, held", [](Painter& p) { questionMark(p, Look::held); }},
        {750, 10, 10, 8, "current level", [](Painter& p) { levelDot(p, true); }},
        {751, 10, 10, 8, "other level", [](Painter& p) { levelDot(p, false); }},
        {752, 13, 13, 8, "reset", [](Painter& p) { power(p, Look::normal); }},
        {753, 13, 13, 24, "reset, held", [](Painter& p) { power(p, Look::held); }},
        {755, 22, 13, 8, "open pattern", [](Painter& p) { openFolder(p, Look::normal); }},
        {756, 22, 13, 8, "open pattern, held", [](Painter& p) { openFolder(p, Look::held); }},
        {758, 17, 13, 8, "scheme 0", [](Painter& p) { schemeStroke(p, kBlack, kWhite); }},
        {759, 17, 13, 8, "scheme 1", [](Painter& p) { schemeStroke(p, kWhite, kBlack); }},
        {760, 17, 13, 8, "scheme 2", [](Painter& p) { schemeStroke(p, kPurple, kWhite); }},
        {761, 17, 13, 8, "scheme 3", [](Painter& p) { schemeStroke(p, kWhite, kPurple); }},
        {762, 13, 13, 8, "mode Normal", [](Painter& p) { paintingMode(p, true, true); }},
        {763, 13, 13, 8, "mode Hint", [](Painter& p) { paintingMode(p, true, false); }},
        {764, 13, 13, 8, "mode Free", [](Painter& p) { paintingMode(p, false, false); }},
        {766, 46, 28, 8, "clock panel", clockPanel},
        {767, 99, 13, 8, "pattern name", nameField},
        {768, 60, 13, 8, "status panel", statusField},
        {769, 13, 13, 8, "close", [](Painter& p) { cross(p, Look::normal); }},
        {770, 13, 13, 8, "close, held", [](Painter& p) { cross(p, Look::held); }},
        {718, 240, 290, 8, "help chart, portrait", {}, [](int scale) { return helpChart(true, scale); }},
        {719, 320, 214, 8, "help chart, landscape", {}, [](int scale) { return helpChart(false, scale); }},
    };
    return all;
}

Surface drawArtwork(const Artwork& art, int scale) {
    if (art.render) {
        return art.render(scale);
    }
    Painter p(art.width, art.height, scale);
    art.draw(p);
    return p.finish();
}

Coverage drawIcon(int size) {
    // Described on a 16-pixel square; every size is a whole multiple of it.
    Painter p(16, 16, size / 16);
    icon(p);
    return p.finishWithCoverage();
}

}  // namespace art
