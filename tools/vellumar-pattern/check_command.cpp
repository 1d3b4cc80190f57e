// `vellumar-pattern check FILE`: the rules every playable pattern keeps.
#include <cstdio>

#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/loaded_pattern.h"
#include "tools/vellumar-pattern/playability.h"

const char* const kCheckHelp =
    "usage: vellumar-pattern check FILE\n"
    "\n"
    "Checks that a pattern is playable, printing each broken rule on its own line and\n"
    "exiting with 1 when there is any (2 when the file cannot be read):\n"
    "  - at most 32 colours are in use (the palette has 32 buttons);\n"
    "  - a tap on each piece's label hits that piece, searching from the last piece\n"
    "    as the game does;\n"
    "  - each label lies where the board draws numbers at zoom 1: at least\n"
    "    trunc(visible width / 30) pattern units in from every edge of the picture\n"
    "    (the board of a 240 x 294 screen is 240 x 168 pixels);\n"
    "  - each piece can be tapped comfortably at zoom 3.375 on that screen (the board\n"
    "    225 x 153 pixels once the scroll bars show): every pixel within 3 pixels of\n"
    "    its label (the centre and all offsets dx, dy with dx^2 + dy^2 <= 9) hits\n"
    "    the piece;\n"
    "  - the pattern is planar: sampled on a grid of 1024 points across the picture's\n"
    "    longer side, every point lies in exactly one piece (inside its outer contour\n"
    "    and not in one of its holes), so no outline of a hidden part shows and\n"
    "    nothing is left uncovered.\n";

int runCheck(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        std::fputs(kCheckHelp, stderr);
        return 2;
    }
    const std::string& file = arguments[0];
    const auto loaded = loadForCommand(file);
    if (!loaded) {
        return 2;
    }
    const std::vector<std::string> failures = checkFailures(loaded->pattern);
    for (const std::string& f : failures) {
        std::printf("%s: %s\n", file.c_str(), f.c_str());
    }
    if (!failures.empty()) {
        std::printf("%s: %zu rule%s broken\n", file.c_str(), failures.size(),
                    failures.size() == 1 ? "" : "s");
        return 1;
    }
    std::printf("%s: playable: %d pieces, %d colours\n", file.c_str(), loaded->pattern.pieceTotal,
                loaded->pattern.colourCount);
    return 0;
}
