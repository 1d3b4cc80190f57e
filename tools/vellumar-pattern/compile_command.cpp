// `vellumar-pattern compile IN.svg -o OUT.mza`: a playable pattern from
// vector art.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "maker/svg/colour.h"
#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/compile/compiler.h"

const char* const kCompileHelp =
    "usage: vellumar-pattern compile IN.svg -o OUT.mza [--colours N] [--min-radius PX] [--polylines]\n"
    "                                [--view X,Y,W,H] [--background COLOUR]\n"
    "\n"
    "Makes a pattern from an SVG picture. Every filled shape becomes pieces in\n"
    "document order (later shapes lie over earlier ones, as the game draws and\n"
    "hit-tests them); strokes, text and images are left out. Fills with opacity are\n"
    "blended against white; a gradient counts as the mean of its stops. The viewBox\n"
    "(or width and height) gives the picture's size and aspect.\n"
    "\n"
    "  -o OUT.mza         the pattern to write\n"
    "  --colours N        at most N colours (default 32, the palette's buttons; 1 to 256)\n"
    "  --min-radius PX    the smallest piece: at zoom 3.375 on the board of a 240 x 294\n"
    "                     screen (225 x 153 pixels with its scroll bars) its visible\n"
    "                     area holds a disc of PX pixels around its\n"
    "                     label (default 3, what `check` asks for; a smaller value makes\n"
    "                     patterns that `check` refuses)\n"
    "  --polylines        write straight points instead of curves\n"
    "  --view X,Y,W,H     frame this rectangle of the drawing (in its viewBox's units)\n"
    "                     instead of its viewBox; what reaches beyond is cut at the edge\n"
    "  --background COLOUR\n"
    "                     lay a rectangle of this SVG colour under everything, so that\n"
    "                     where the drawing leaves the picture empty the finished board\n"
    "                     shows a piece of that colour instead of the board's grey\n"
    "\n"
    "Curves: each Bezier curve is stored with steps = ceil(sqrt(0.75 d / 4)), 1 to 64,\n"
    "where d is the largest second difference of its control points in pattern units\n"
    "(the longer side is 16000): the drawn curve strays at most 4 units from the true one.\n"
    "\n"
    "Holes: the game fills and hit-tests only a piece's outer contour. So a shape with\n"
    "holes (by its fill rule) becomes a piece per filled region with the holes' outlines\n"
    "as inner contours, and each hole is covered again by a piece drawn after it, in the\n"
    "colour that covers most of the hole in the picture so far (white where nothing is),\n"
    "followed by copies of earlier pieces lying wholly inside the hole. Subpaths of one\n"
    "shape are assumed not to cross.\n"
    "\n"
    "Colours: colours within CIEDE2000 distance 3 of a colour covering more area are\n"
    "merged into it; then, while more than N remain, the nearest two merge, keeping the\n"
    "colour of the one covering more area.\n"
    "\n"
    "Pieces: a piece that later pieces cover entirely, or whose visible area is too small\n"
    "(see --min-radius) or lies only at the picture's edge where the board draws no\n"
    "numbers, is dropped. Each label goes to the point of the piece's visible area\n"
    "farthest from every edge (a distance transform on a raster of 10-unit cells).\n"
    "The result is checked as `check` does; broken rules are printed and exit with 1.\n";

namespace {

bool readWhole(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

// "X,Y,W,H" with a positive width and height.
bool parseView(const std::string& text, svg::Picture& picture) {
    double x = 0, y = 0, w = 0, h = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%lf,%lf,%lf,%lf%c", &x, &y, &w, &h, &end) != 4 || !(w > 0 && h > 0) ||
        !std::isfinite(x + y + w + h)) {
        return false;
    }
    picture.x = x;
    picture.y = y;
    picture.width = w;
    picture.height = h;
    return true;
}

// A rectangle over the whole viewBox, drawn before every other shape.
void addBackground(svg::Picture& picture, const svg::Rgba& colour) {
    const double x0 = picture.x, y0 = picture.y;
    const double x1 = picture.x + picture.width, y1 = picture.y + picture.height;
    svg::Subpath rectangle;
    rectangle.segments = {svg::lineSegment({x0, y0}, {x1, y0}), svg::lineSegment({x1, y0}, {x1, y1}),
                          svg::lineSegment({x1, y1}, {x0, y1}), svg::lineSegment({x0, y1}, {x0, y0})};
    svg::Shape background;
    background.subpaths.push_back(std::move(rectangle));
    background.red = colour.red;
    background.green = colour.green;
    background.blue = colour.blue;
    background.name = "the background";
    picture.shapes.insert(picture.shapes.begin(), std::move(background));
}

bool parseCount(const std::string& text, int low, int high, int& value) {
    try {
        std::size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size() && value >= low && value <= high;
    } catch (...) {
        return false;
    }
}

}  // namespace

int runCompile(const std::vector<std::string>& arguments) {
    std::string input, output, view;
    std::optional<svg::Rgba> background;
    CompileOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "-o" && hasValue) {
            output = arguments[++i];
        } else if (a == "--colours" && hasValue) {
            if (!parseCount(arguments[++i], 1, 256, options.maxColours)) {
                std::fprintf(stderr, "vellumar-pattern: --colours takes a number from 1 to 256\n");
                return 2;
            }
        } else if (a == "--min-radius" && hasValue) {
            if (!parseCount(arguments[++i], 0, 100, options.minRadiusPixels)) {
                std::fprintf(stderr,
                             "vellumar-pattern: --min-radius takes a number of pixels from 0 to 100\n");
                return 2;
            }
        } else if (a == "--view" && hasValue) {
            view = arguments[++i];
        } else if (a == "--background" && hasValue) {
            background = svg::parseColour(arguments[++i]);
            if (!background || background->alpha < 1) {
                std::fprintf(stderr, "vellumar-pattern: --background takes an opaque SVG colour\n");
                return 2;
            }
        } else if (a == "--polylines") {
            options.variant = GeometryVariant::Polylines;
        } else if (input.empty() && !a.starts_with("-")) {
            input = a;
        } else {
            std::fprintf(stderr, "vellumar-pattern: compile: unexpected '%s'\n\n%s", a.c_str(), kCompileHelp);
            return 2;
        }
    }
    if (input.empty() || output.empty()) {
        std::fputs(kCompileHelp, stderr);
        return 2;
    }
    std::string text, error;
    if (!readWhole(input, text)) {
        std::fprintf(stderr, "vellumar-pattern: %s: the file cannot be read\n", input.c_str());
        return 1;
    }
    auto picture = svg::readSvg(text, error);
    if (!picture) {
        std::fprintf(stderr, "vellumar-pattern: %s: %s\n", input.c_str(), error.c_str());
        return 1;
    }
    for (const std::string& w : picture->warnings) {
        std::fprintf(stderr, "vellumar-pattern: %s: %s\n", input.c_str(), w.c_str());
    }
    if (!view.empty() && !parseView(view, *picture)) {
        std::fprintf(stderr, "vellumar-pattern: --view takes X,Y,WIDTH,HEIGHT with a positive size\n");
        return 2;
    }
    if (background) {
        addBackground(*picture, *background);
    }
    const CompileResult result = compilePicture(*picture, options);
    for (const std::string& n : result.notes) {
        std::fprintf(stderr, "vellumar-pattern: %s: %s\n", input.c_str(), n.c_str());
    }
    if (!result.file) {
        std::fprintf(stderr, "vellumar-pattern: %s: %s\n", input.c_str(), result.error.c_str());
        return 1;
    }
    const std::vector<std::byte> bytes = serializePatternFile(*result.file);
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "vellumar-pattern: %s: the file cannot be written\n", output.c_str());
        return 1;
    }
    std::printf("%s: %d shapes -> %zu pieces (%d covered and %d too small dropped), %zu colours (of %d)\n",
                output.c_str(), result.shapes, result.file->pieces.size(), result.covered, result.tooSmall,
                result.file->colours.size(), result.coloursBefore);
    for (const std::string& f : result.failures) {
        std::printf("%s: %s\n", output.c_str(), f.c_str());
    }
    return result.failures.empty() ? 0 : 1;
}
