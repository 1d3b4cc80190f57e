#include "tools/vellumar-art/catalogue.h"

#include <vector>

#include "resources/vellumar_ids.h"
#include "tools/vellumar-art/pictures.h"

namespace art {

std::span<const Artwork> catalogue() {
    static const std::vector<Artwork> all = {
        {IDB_BANNER, 243, 42, 8, "title banner", banner},
        {IDB_ZOOM_IN, 19, 28, 8, "zoom in", [](Painter& p) { magnifier(p, Look::normal, true); }},
        {IDB_ZOOM_IN_HELD, 19, 28, 8, "zoom in, held", [](Painter& p) { magnifier(p, Look::held, true); }},
        {IDB_ZOOM_OUT, 19, 28, 8, "zoom out", [](Painter& p) { magnifier(p, Look::normal, false); }},
        {IDB_ZOOM_OUT_HELD, 19, 28, 8, "zoom out, held", [](Painter& p) { magnifier(p, Look::held, false); }},
        {IDB_SOUND_ON, 25, 28, 8, "sound on", [](Painter& p) { loudspeaker(p, false); }},
        {IDB_SOUND_OFF, 25, 28, 8, "sound off", [](Painter& p) { loudspeaker(p, true); }},
        {IDB_CLOCK_SHOWN, 19, 28, 8, "clock shown", [](Painter& p) { clockFace(p, Look::normal); }},
        {IDB_CLOCK_HIDDEN, 19, 28, 8, "clock hidden", [](Painter& p) { clockFace(p, Look::dimmed); }},
        {IDB_RESTART, 19, 28, 8, "back to start", [](Painter& p) { toStart(p, Look::normal); }},
        {IDB_RESTART_HELD, 19, 28, 8, "back to start, held", [](Painter& p) { toStart(p, Look::held); }},
        {IDB_PAUSED, 13, 28, 8, "paused", [](Painter& p) { pauseBars(p, Look::dimmed); }},
        {IDB_RUNNING, 13, 28, 8, "running", [](Painter& p) { pauseBars(p, Look::normal); }},
        {IDB_COMPLETE, 19, 28, 8, "to the end", [](Painter& p) { toEnd(p, Look::normal); }},
        {IDB_COMPLETE_HELD, 19, 28, 8, "to the end, held", [](Painter& p) { toEnd(p, Look::held); }},
        {IDB_HELP, 10, 28, 8, "help", [](Painter& p) { questionMark(p, Look::normal); }},
        {IDB_HELP_HELD, 10, 28, 24, "help, held", [](Painter& p) { questionMark(p, Look::held); }},
        {IDB_LEVEL_CURRENT, 10, 10, 8, "current level", [](Painter& p) { levelDot(p, true); }},
        {IDB_LEVEL_OTHER, 10, 10, 8, "other level", [](Painter& p) { levelDot(p, false); }},
        {IDB_RESET, 13, 13, 8, "reset", [](Painter& p) { power(p, Look::normal); }},
        {IDB_RESET_HELD, 13, 13, 24, "reset, held", [](Painter& p) { power(p, Look::held); }},
        {IDB_OPEN, 22, 13, 8, "open pattern", [](Painter& p) { openFolder(p, Look::normal); }},
        {IDB_OPEN_HELD, 22, 13, 8, "open pattern, held", [](Painter& p) { openFolder(p, Look::held); }},
        {IDB_SCHEME_0, 17, 13, 8, "scheme 0", [](Painter& p) { schemeStroke(p, kBlack, kWhite); }},
        {IDB_SCHEME_1, 17, 13, 8, "scheme 1", [](Painter& p) { schemeStroke(p, kWhite, kBlack); }},
        {IDB_SCHEME_2, 17, 13, 8, "scheme 2", [](Painter& p) { schemeStroke(p, kPurple, kWhite); }},
        {IDB_SCHEME_3, 17, 13, 8, "scheme 3", [](Painter& p) { schemeStroke(p, kWhite, kPurple); }},
        {IDB_MODE_NORMAL, 13, 13, 8, "mode Normal", [](Painter& p) { paintingMode(p, true, true); }},
        {IDB_MODE_HINT, 13, 13, 8, "mode Hint", [](Painter& p) { paintingMode(p, true, false); }},
        {IDB_MODE_FREE, 13, 13, 8, "mode Free", [](Painter& p) { paintingMode(p, false, false); }},
        {IDB_CLOCK_PANEL, 46, 28, 8, "clock panel", clockPanel},
        {IDB_PATTERN_NAME, 99, 13, 8, "pattern name", nameField},
        {IDB_STATUS_PANEL, 60, 13, 8, "status panel", statusField},
        {IDB_CLOSE, 13, 13, 8, "close", [](Painter& p) { cross(p, Look::normal); }},
        {IDB_CLOSE_HELD, 13, 13, 8, "close, held", [](Painter& p) { cross(p, Look::held); }},
        {IDB_HELP_CHART_PORTRAIT,
         240,
         290,
         8,
         "help chart, portrait",
         {},
         [](int scale) { return helpChart(true, scale); }},
        {IDB_HELP_CHART_LANDSCAPE,
         320,
         214,
         8,
         "help chart, landscape",
         {},
         [](int scale) { return helpChart(false, scale); }},
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
